#include "model/FileMapping.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <limits>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The ranges the bus error handler may repair. Plain lock-free atomics, because the handler
// reads them at any moment, also while another thread fills or empties a slot.
struct TGuardSlot {
    std::atomic<bool> Used { false };
    std::atomic<std::uintptr_t> Begin { 0 };
    std::atomic<std::uintptr_t> End { 0 };
    std::atomic<bool> Hit { false };
};
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

constexpr int GuardSlotCount = 16;
TGuardSlot GuardSlots[GuardSlotCount];
std::uintptr_t PageSize = 4096;
struct sigaction PreviousBusAction {};
std::once_flag HandlerInstalled;

TGuardSlot* SlotHolding(std::uintptr_t address)
{
    for (TGuardSlot& slot : GuardSlots)
        if (address >= slot.Begin.load() && address < slot.End.load())
            return &slot;
    return nullptr;
}

void PassOnBusError(int signal, siginfo_t* info, void* context)
{
    if (PreviousBusAction.sa_flags & SA_SIGINFO) {
        PreviousBusAction.sa_sigaction(signal, info, context);
    } else if (PreviousBusAction.sa_handler != SIG_DFL && PreviousBusAction.sa_handler != SIG_IGN) {
        PreviousBusAction.sa_handler(signal);
    } else {
        // The access repeats on return and ends the process as if this handler did not exist.
        std::signal(SIGBUS, SIG_DFL);
    }
}

void OnBusError(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    TGuardSlot* slot = SlotHolding(address);
    if (!slot) {
        PassOnBusError(signal, info, context);
        return;
    }
    // A page of zeros where the file ended; the access repeats on return and reads them.
    void* page = reinterpret_cast<void*>(address & ~(PageSize - 1));
    if (::mmap(page, PageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) == MAP_FAILED) {
        PassOnBusError(signal, info, context);
        return;
    }
    slot->Hit.store(true);
}

void InstallBusErrorHandler()
{
    PageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &PreviousBusAction);
}

int ClaimSlot()
{
    for (int i = 0; i < GuardSlotCount; ++i) {
        if (!GuardSlots[i].Used.exchange(true))
            return i;
    }
    return -1;
}

} // namespace

std::unique_ptr<TFileMapping> TFileMapping::Map(int descriptor, qint64 offset, qint64 size)
{
    if (offset < 0 || size <= 0)
        return nullptr;
    std::call_once(HandlerInstalled, InstallBusErrorHandler);
    const qint64 lead = offset % static_cast<qint64>(PageSize);
    if (static_cast<quint64>(size) > std::numeric_limits<std::size_t>::max() - static_cast<quint64>(lead))
        return nullptr;
    const int slot = ClaimSlot();
    if (slot < 0)
        return nullptr;
    const std::size_t mappedSize = static_cast<std::size_t>(lead + size);
    void* mapped = ::mmap(nullptr, mappedSize, PROT_READ, MAP_PRIVATE, descriptor, offset - lead);
    if (mapped == MAP_FAILED) {
        GuardSlots[slot].Used.store(false);
        return nullptr;
    }
    TGuardSlot& guard = GuardSlots[slot];
    guard.Hit.store(false);
    guard.Begin.store(reinterpret_cast<std::uintptr_t>(mapped));
    guard.End.store(reinterpret_cast<std::uintptr_t>(mapped) + mappedSize);
    return std::unique_ptr<TFileMapping>(new TFileMapping(static_cast<char*>(mapped), mappedSize, lead, size, slot));
}

TFileMapping::TFileMapping(char* mapped, std::size_t mappedSize, qint64 lead, qint64 size, int slot)
    : m_Mapped(mapped)
    , m_MappedSize(mappedSize)
    , m_Data(mapped + lead)
    , m_Size(size)
    , m_Slot(slot)
{
}

TFileMapping::~TFileMapping()
{
    TGuardSlot& guard = GuardSlots[m_Slot];
    guard.End.store(0);
    guard.Begin.store(0);
    ::munmap(m_Mapped, m_MappedSize);
    guard.Used.store(false);
}

bool TFileMapping::Intact() const
{
    return !GuardSlots[m_Slot].Hit.load();
}
