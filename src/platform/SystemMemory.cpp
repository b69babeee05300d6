#include "platform/SystemMemory.h"

#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/sysinfo.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t HeapStep = 32 << 20;
constexpr std::uintptr_t HugePageSize = 2 << 20;
// Below the size that malloc serves from a mapping of its own, so it comes from the heap.
constexpr std::size_t HeapBlock = 120 << 10;

std::uintptr_t HeapEnd()
{
    return reinterpret_cast<std::uintptr_t>(sbrk(0));
}

} // namespace

int MemoryLoadPercent()
{
    struct sysinfo info {};
    if (sysinfo(&info) != 0 || info.totalram == 0)
        return 0;
    const double total = static_cast<double>(info.totalram) * info.mem_unit;
    const double available = static_cast<double>(info.freeram + info.bufferram) * info.mem_unit;
    const double load = 100.0 * (1.0 - available / total);
    return load < 0 ? 0 : load > 100 ? 100 : static_cast<int>(load);
}

void UseLargeHeapSteps()
{
    if (mallopt(M_TOP_PAD, static_cast<int>(HeapStep)) == 0)
        return;
    // Make the heap grow now, by a whole step, so that the step can be marked at once.
    const std::uintptr_t start = HeapEnd();
    std::vector<void*> blocks;
    while (HeapEnd() == start && blocks.size() < 4)
        blocks.push_back(std::malloc(HeapBlock));
    const std::uintptr_t end = HeapEnd();
    for (void* block : blocks)
        std::free(block);
    const std::uintptr_t first = (start + HugePageSize - 1) & ~(HugePageSize - 1);
    const std::uintptr_t last = end & ~(HugePageSize - 1);
    if (last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
