#pragma once

#include <QString>

#include <array>
#include <cstdint>

class QIODevice;

// Every entry file starts with 22 magic bytes ("Vemora configure file" and the byte 0x1A)
// and one version byte.
inline constexpr std::array<char, 22> EntryFileMagic = {'V', 'e', 'm', 'o', 'r', 'a', ' ', 'c', 'o', 'n', 'f',
                                                        'i', 'g', 'u', 'r', 'e', ' ', 'f', 'i', 'l', 'e', '\x1a'};
inline constexpr int EntryFileHeaderSize = 23;
inline constexpr std::uint8_t EntryFileVersion = 2;

struct TEntryFileHeader {
    std::array<char, 22> Magic{};
    std::uint8_t Version = 0;
};

// True when at least 23 bytes remain and the first 22 of them are the magic; the version is
// not judged here.
bool ReadHeader(QIODevice& stream, TEntryFileHeader* header = nullptr);
// False when no regular file of that name exists or its header is not an entry file's.
bool ReadFileHeader(const QString& fileName, TEntryFileHeader* header = nullptr);
bool IsEntryFile(const QString& fileName);
void WriteHeader(QIODevice& stream);
