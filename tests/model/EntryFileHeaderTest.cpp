#include "model/EntryFileHeader.h"

#include "TestSupport.h"

#include <QBuffer>

namespace {

QByteArray Header(char version)
{
    return QByteArray("Vemora configure file\x1a", 22) + QByteArray(1, version);
}

TEST(EntryFileHeaderTest, WritesTheMagicAndVersionTwo)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteHeader(buffer);
    EXPECT_EQ(buffer.data(), Header(2));
}

struct THeaderCase {
    const char* Name;
    QByteArray Bytes;
    bool Accepted;
};

class ReadHeaderTest : public testing::TestWithParam<THeaderCase> {};

TEST_P(ReadHeaderTest, JudgesTheMagicOnly)
{
    QBuffer buffer;
    buffer.setData(GetParam().Bytes);
    buffer.open(QIODevice::ReadOnly);
    TEntryFileHeader header;
    EXPECT_EQ(ReadHeader(buffer, &header), GetParam().Accepted);
    if (GetParam().Accepted) {
        EXPECT_EQ(header.Version, static_cast<std::uint8_t>(GetParam().Bytes[22]));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadHeaderTest,
    testing::Values(THeaderCase{"version_2", Header(2), true},
                    THeaderCase{"any_version_byte", Header('\xff') + "body", true},
                    THeaderCase{"one_byte_short", Header(2).left(22), false},
                    THeaderCase{"empty", QByteArray(), false},
                    THeaderCase{"other_22nd_byte", QByteArray("Vemora configure file\x1b\x02", 23), false},
                    THeaderCase{"other_letter_case", QByteArray("vemora configure file\x1a\x02", 23), false}),
    [](const testing::TestParamInfo<THeaderCase>& info) { return std::string(info.param.Name); });

TEST(EntryFileHeaderTest, ReadsFromTheStreamPosition)
{
    QBuffer buffer;
    buffer.setData(QByteArray("xx") + Header(1));
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(2);
    TEntryFileHeader header;
    ASSERT_TRUE(ReadHeader(buffer, &header));
    EXPECT_EQ(header.Version, 1);
    EXPECT_EQ(buffer.pos(), 25);
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
