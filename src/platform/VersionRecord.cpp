#include "platform/VersionRecord.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

std::uint16_t ReadLittleEndian16(const std::byte* bytes)
{
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[0]) |
                                      (std::to_integer<unsigned>(bytes[1]) << 8));
}

} // namespace

std::optional<std::array<std::uint16_t, 4>> FindVersionRecord(std::span<const std::byte> data)
{
    std::array<std::byte, InvertedVersionMagic.size()> magic{};
    for (std::size_t i = 0; i < magic.size(); ++i)
        magic[i] = static_cast<std::byte>(~InvertedVersionMagic[i] & 0xff);
    const std::boyer_moore_horspool_searcher searcher(magic.begin(), magic.end());

    auto position = data.begin();
    for (;;) {
        position = std::search(position, data.end(), searcher);
        if (position == data.end() || data.end() - position < static_cast<std::ptrdiff_t>(VersionRecordSize))
            return std::nullopt;
        const std::byte* fields = &*position + magic.size();
        std::array<std::uint16_t, 4> parts{};
        for (std::size_t i = 0; i < parts.size(); ++i)
            parts[i] = ReadLittleEndian16(fields + 2 * i);
        if (ReadLittleEndian16(fields + 8) == VersionRecordCheck(parts[0], parts[1], parts[2], parts[3]))
            return parts;
        ++position;
    }
}
