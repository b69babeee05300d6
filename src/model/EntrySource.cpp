#include "model/EntrySource.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TScopeState {
    int Depth = 0;
    quint64 Current = 0;
    quint64 Last = 0;
};

TScopeState& ScopeState()
{
    thread_local TScopeState state;
    return state;
}

qint64 ModifiedNanoseconds(const struct stat& status)
{
    return static_cast<qint64>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

} // namespace

TSourceCheckScope::TSourceCheckScope()
{
    TScopeState& state = ScopeState();
    if (state.Depth++ == 0)
        state.Current = ++state.Last;
}

TSourceCheckScope::~TSourceCheckScope()
{
    TScopeState& state = ScopeState();
    if (--state.Depth == 0)
        state.Current = 0;
}

quint64 TSourceCheckScope::Current()
{
    return ScopeState().Current;
}

TMemoryEntrySource::TMemoryEntrySource(QByteArray data)
    : m_Data(std::move(data))
{
}

bool TMemoryEntrySource::ReadAt(qint64 offset, char* buffer, qint64 size) const
{
    if (offset < 0 || size < 0 || offset > m_Data.size() - size)
        return false;
    std::memcpy(buffer, m_Data.constData() + offset, static_cast<std::size_t>(size));
    return true;
}

std::shared_ptr<TFileEntrySource> TFileEntrySource::Open(const QString& fileName)
{
    const int descriptor = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return nullptr;
    }
    return std::shared_ptr<TFileEntrySource>(new TFileEntrySource(descriptor, status.st_size, ModifiedNanoseconds(status)));
}

TFileEntrySource::TFileEntrySource(int descriptor, qint64 size, qint64 modified)
    : m_Descriptor(descriptor)
    , m_Size(size)
    , m_Modified(modified)
{
}

std::unique_ptr<TFileMapping> TFileEntrySource::View(qint64 offset, qint64 size) const
{
    if (offset < 0 || size < 0 || offset > m_Size - size)
        return nullptr;
    return TFileMapping::Map(m_Descriptor, offset, size);
}

TFileEntrySource::~TFileEntrySource()
{
    ::close(m_Descriptor);
}

bool TFileEntrySource::Unchanged() const
{
    const quint64 scope = TSourceCheckScope::Current();
    if (scope != 0 && m_CheckedInScope == scope)
        return true;
    struct stat status {};
    const bool unchanged =
        ::fstat(m_Descriptor, &status) == 0 && status.st_size == m_Size && ModifiedNanoseconds(status) == m_Modified;
    // Only a pass that found the file unchanged trusts it; a changed file is asked again.
    m_CheckedInScope = unchanged ? scope : 0;
    return unchanged;
}

bool TFileEntrySource::ReadAt(qint64 offset, char* buffer, qint64 size) const
{
    if (offset < 0 || size < 0 || offset > m_Size - size)
        return false;
    while (size > 0) {
        const ssize_t done = ::pread(m_Descriptor, buffer, static_cast<std::size_t>(size), offset);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        buffer += done;
        offset += done;
        size -= done;
    }
    return true;
}
