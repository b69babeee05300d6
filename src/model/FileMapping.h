#pragma once

#include <QtGlobal>

#include <cstddef>
#include <memory>

// A read-only view of an open file's bytes, without copying them. A file cut short by someone
// else while it is viewed, or a page the disk cannot deliver, would end the process with SIGBUS
// at the first byte gone; here zeros take the place of the missing pages instead, and Intact()
// turns false, so that the reader can reject what it read.
class TFileMapping {
public:
    // size bytes from offset on; nullptr when they cannot be viewed this way (none, a special
    // file, no address space, or too many views at once): the caller then reads them instead.
    static std::unique_ptr<TFileMapping> Map(int descriptor, qint64 offset, qint64 size);
    ~TFileMapping();
    TFileMapping(const TFileMapping&) = delete;
    TFileMapping& operator=(const TFileMapping&) = delete;

    const char* Data() const { return m_Data; }
    qint64 Size() const { return m_Size; }
    // False once part of the file vanished while it was viewed.
    bool Intact() const;

private:
    TFileMapping(char* mapped, std::size_t mappedSize, qint64 lead, qint64 size, int slot);

    // Mappings start at a page boundary; the view begins lead bytes into it.
    char* m_Mapped;
    std::size_t m_MappedSize;
    const char* m_Data;
    qint64 m_Size;
    int m_Slot;
};
