#include "model/EntryFileHeader.h"

#include "TestSupport.h"

#include <QBuffer>

namespace {

QByteArray Header(char version)
{
    return QByteArray("Vemora configure file\x1a", 22) + QByteArray(1, version);
}

// Only the magic is judged; the version is the caller's to check. Reading starts where the stream is.
TEST(EntryFileHeaderTest, JudgesTheMagicOnly)
{
    struct THeaderCase {
        const char* Name;
        QByteArray Bytes;
        int Version; // -1: refused
    };
    const THeaderCase cases[] = {
        {"version_2", Header(2), 2},
        {"any_version_byte", Header('\xff') + "body", 255},
        {"after_other_bytes", "xx" + Header(1), 1},
        {"one_byte_short", Header(2).left(22), -1},
        {"empty", QByteArray(), -1},
        {"other_22nd_byte", QByteArray("Vemora configure file\x1b\x02", 23), -1},
        {"other_letter_case", QByteArray("vemora configure file\x1a\x02", 23), -1},
    };
    for (const THeaderCase& row : cases) {
        SCOPED_TRACE(row.Name);
        QBuffer buffer;
        buffer.setData(row.Bytes);
        buffer.open(QIODevice::ReadOnly);
        const qint64 start = row.Bytes.startsWith("xx") ? 2 : 0;
        buffer.seek(start);
        TEntryFileHeader header;
        ASSERT_EQ(ReadHeader(buffer, &header), row.Version >= 0);
        if (row.Version >= 0) {
            EXPECT_EQ(header.Version, row.Version);
            EXPECT_EQ(buffer.pos(), start + 23);
        }
    }
}

TEST(EntryFileHeaderTest, OnlyRegularFilesAreEntryFiles)
{
    TTemporaryHome home;
    EXPECT_TRUE(IsEntryFile(home.WriteFile(QStringLiteral("ok.vkd"), Header(2))));
    EXPECT_FALSE(IsEntryFile(home.WriteFile(QStringLiteral("short.vkd"), Header(2).left(20))));
    EXPECT_FALSE(IsEntryFile(home.FilePath(QStringLiteral("missing.vkd"))));
    EXPECT_FALSE(IsEntryFile(home.Path()));
    TEntryFileHeader header;
    ASSERT_TRUE(ReadFileHeader(home.WriteFile(QStringLiteral("v7.vkd"), Header(7)), &header));
    EXPECT_EQ(header.Version, 7);
}

} // namespace
