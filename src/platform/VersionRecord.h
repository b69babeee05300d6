#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The version record embedded in every executable. On disk it is 12 magic bytes, the four
// version parts as little-endian 16-bit numbers and a 16-bit check value.
struct TVersionRecord {
    unsigned char Magic[12];
    std::uint16_t Parts[4];
    std::uint16_t Check;
};

inline constexpr std::size_t VersionRecordSize = 22;

// The magic is kept inverted here, so that the reader's copy of it never looks like a record.
inline constexpr std::array<unsigned char, 12> InvertedVersionMagic = {
    0x80, 0xa9, 0x9a, 0x92, 0x90, 0x8d, 0x9e, 0xa9, 0x9a, 0x8d, 0xfe, 0xfd};

constexpr std::uint16_t VersionRecordCheck(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                                           std::uint16_t build)
{
    return static_cast<std::uint16_t>(0x5a5a ^ major ^ (minor << 1) ^ (release << 2) ^ (build << 3));
}

constexpr TVersionRecord MakeVersionRecord(std::uint16_t major, std::uint16_t minor, std::uint16_t release,
                                           std::uint16_t build)
{
    TVersionRecord record{};
    for (std::size_t i = 0; i < InvertedVersionMagic.size(); ++i)
        record.Magic[i] = static_cast<unsigned char>(~InvertedVersionMagic[i]);
    record.Parts[0] = major;
    record.Parts[1] = minor;
    record.Parts[2] = release;
    record.Parts[3] = build;
    record.Check = VersionRecordCheck(major, minor, release, build);
    return record;
}

// Finds the first valid record in the bytes of a file; empty when there is none.
std::optional<std::array<std::uint16_t, 4>> FindVersionRecord(std::span<const std::byte> data);
