#include "model/EntryFileHeader.h"

#include "TestSupport.h"

#include <QBuffer>

namespace {

QByteArray Header(char version)
{
    return QByteArray("Vemora configure file\x1a", 22) + QByteArray(1, version);
}

// Only the magic is judged; the version is the caller's to check.
TEST(EntryFileHeaderTest, JudgesTheMagicOnly)
{
    const std::tuple<const char*, QByteArray, int> cases[] = {
        {"any_version_byte", Header('\xff') + "body", 255},
        {"one_byte_short", Header(2).left(22), -1}, // -1: refused
        {"other_22nd_byte", QByteArray("Vemora configure file\x1b\x02", 23), -1},
    };
    for (const auto& [name, bytes, version] : cases) {
        SCOPED_TRACE(name);
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        TEntryFileHeader header;
        ASSERT_EQ(ReadHeader(buffer, &header), version >= 0);
        if (version < 0)
            continue;
        EXPECT_EQ(std::tuple(int(header.Version), buffer.pos()), std::tuple(version, qint64(23)));
    }
}

TEST(EntryFileHeaderTest, OnlyRegularFilesAreEntryFiles)
{
    TTemporaryHome home;
    EXPECT_TRUE(IsEntryFile(home.WriteFile(QStringLiteral("ok.vkd"), Header(2))));
    EXPECT_FALSE(IsEntryFile(home.FilePath(QStringLiteral("missing.vkd"))));
    EXPECT_FALSE(IsEntryFile(home.Path()));
}

} // namespace
