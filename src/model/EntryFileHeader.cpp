#include "model/EntryFileHeader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

bool ReadHeader(QIODevice& stream, TEntryFileHeader* header)
{
    if (stream.isSequential() ? stream.bytesAvailable() < EntryFileHeaderSize
                              : stream.size() - stream.pos() < EntryFileHeaderSize)
        return false;
    char bytes[EntryFileHeaderSize];
    if (stream.read(bytes, EntryFileHeaderSize) != EntryFileHeaderSize)
        return false;
    if (!std::equal(EntryFileMagic.begin(), EntryFileMagic.end(), bytes))
        return false;
    if (header) {
        std::copy(bytes, bytes + EntryFileMagic.size(), header->Magic.begin());
        header->Version = static_cast<std::uint8_t>(bytes[EntryFileMagic.size()]);
    }
    return true;
}

bool ReadFileHeader(const QString& fileName, TEntryFileHeader* header)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ReadHeader(file, header);
}

bool IsEntryFile(const QString& fileName)
{
    return ReadFileHeader(fileName);
}

void WriteHeader(QIODevice& stream)
{
    stream.write(EntryFileMagic.data(), EntryFileMagic.size());
    const char version = static_cast<char>(EntryFileVersion);
    stream.write(&version, 1);
}
