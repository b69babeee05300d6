#include "platform/VersionRecord.h"
#include "settings/Version.h"

#include "TestSupport.h"

#include <cstring>
#include <vector>

namespace {

void PutRecord(std::vector<std::byte>& bytes, const TVersionRecord& record, std::size_t offset)
{
    std::memcpy(bytes.data() + offset, &record, sizeof record);
}

TEST(VersionRecordTest, TheFirstRecordWithARightCheckIsFoundAnywhere)
{
    static_assert(sizeof(TVersionRecord) == VersionRecordSize);
    std::vector<std::byte> bytes(4096, std::byte{0x7f});
    TVersionRecord damaged = MakeVersionRecord(9, 9, 9, 9);
    damaged.Check ^= 1;
    PutRecord(bytes, damaged, 10);
    PutRecord(bytes, MakeVersionRecord(2, 1, 0, 17), 1001);
    EXPECT_EQ(FindVersionRecord(bytes), (std::array<std::uint16_t, 4>{2, 1, 0, 17}));

    // A record cut off at the end is none.
    std::vector<std::byte> exact(VersionRecordSize);
    PutRecord(exact, MakeVersionRecord(2, 1, 0, 1), 0);
    EXPECT_TRUE(FindVersionRecord(std::span(exact)));
    EXPECT_FALSE(FindVersionRecord(std::span(exact).first(VersionRecordSize - 1)));
}

TEST(TVersionTest, ReadsTheProgramsOwnRecordAndNoneElsewhere)
{
    const TVersion version(TVersion::RunningExecutablePath());
    ASSERT_TRUE(version.IsValid());
    EXPECT_EQ(version.Text(vpMajor | vpMinor), QStringLiteral("2.1"));
    EXPECT_EQ(version.Text(vpMajor | vpBuild), QStringLiteral("2.%1").arg(version.Number()[3]));

    TTemporaryHome home;
    const QString plain = home.WriteFile("plain.bin", QByteArray(5000, 'a'));
    for (const QString& name : {plain, home.FilePath("missing"), home.Path(), QString()}) {
        const TVersion none(name);
        EXPECT_FALSE(none.IsValid()) << name.toStdString();
        EXPECT_EQ(none.Text(vpMajor | vpMinor), QStringLiteral("?.?.?.?")) << name.toStdString();
    }
}

} // namespace
