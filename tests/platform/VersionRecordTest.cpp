#include "platform/VersionRecord.h"
#include "settings/Version.h"

#include "TestSupport.h"

#include <cstring>
#include <vector>

namespace {

std::vector<std::byte> BytesWithRecord(const TVersionRecord& record, std::size_t offset, std::size_t size)
{
    std::vector<std::byte> bytes(size, std::byte{0x7f});
    std::memcpy(bytes.data() + offset, &record, sizeof record);
    return bytes;
}

TEST(VersionRecordTest, IsFoundAnywhereInTheFile)
{
    static_assert(sizeof(TVersionRecord) == VersionRecordSize);
    const auto bytes = BytesWithRecord(MakeVersionRecord(2, 1, 0, 17), 1001, 4096);
    const auto found = FindVersionRecord(bytes);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (std::array<std::uint16_t, 4>{2, 1, 0, 17}));
}

TEST(VersionRecordTest, ARecordWithAWrongCheckIsSkipped)
{
    TVersionRecord damaged = MakeVersionRecord(9, 9, 9, 9);
    damaged.Check ^= 1;
    auto bytes = BytesWithRecord(damaged, 10, 200);
    const TVersionRecord good = MakeVersionRecord(3, 4, 5, 6);
    std::memcpy(bytes.data() + 100, &good, sizeof good);
    EXPECT_EQ(FindVersionRecord(bytes), (std::array<std::uint16_t, 4>{3, 4, 5, 6}));
}

TEST(VersionRecordTest, ARecordCutOffAtTheEndIsNone)
{
    const auto bytes = BytesWithRecord(MakeVersionRecord(2, 1, 0, 1), 0, VersionRecordSize);
    EXPECT_TRUE(FindVersionRecord(std::span(bytes)));
    EXPECT_FALSE(FindVersionRecord(std::span(bytes).first(VersionRecordSize - 1)));
}

TEST(TVersionTest, ReadsTheProgramsOwnRecord)
{
    const TVersion version(TVersion::RunningExecutablePath());
    ASSERT_TRUE(version.IsValid());
    EXPECT_EQ(version.Text(vpMajor | vpMinor), QStringLiteral("2.1"));
    EXPECT_EQ(version.Text(vpMajor | vpBuild), QStringLiteral("2.%1").arg(version.Number()[3]));
}

TEST(TVersionTest, AFileWithoutARecordHasNoVersion)
{
    TTemporaryHome home;
    const QString plain = home.WriteFile(QStringLiteral("plain.bin"), QByteArray(5000, 'a'));
    for (const QString& name : {plain, home.FilePath(QStringLiteral("missing")), home.Path(), QString()}) {
        const TVersion version(name);
        EXPECT_FALSE(version.IsValid());
        EXPECT_EQ(version.Text(vpMajor | vpMinor), QStringLiteral("?.?.?.?")) << name.toStdString();
    }
}

} // namespace
