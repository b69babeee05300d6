#include "app/VemoraLibState.h"

#include "settings/SettingNames.h"
#include "support/NLS.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {

class VemoraLibStateTest : public testing::Test {
protected:
    TTemporaryHome Home;

    void SetUp() override
    {
        LanguageFilename().clear();
        CountryFilename().clear();
        InitializeVemoraLib();
    }
    void TearDown() override
    {
        FinalizeVemoraLib();
        SetLastBatchRunInMemoryToNever();
    }

    // The moment is process-wide; each test starts from "never".
    static void SetLastBatchRunInMemoryToNever()
    {
        TTemporaryHome scratch;
        InitializeVemoraLib();
        SetLastBatchRun(0);
        FinalizeVemoraLib();
    }

    static TApplicationReg& Store() { return *ApplicationReg; }

    static void WriteAppValue(const std::function<void(TApplicationReg&)>& write)
    {
        TApplicationReg registry(ApplicationName);
        ASSERT_TRUE(registry.OpenAppKey(AppRootCurrentUser, QString(), true));
        write(registry);
    }
    static TRegistryValue StoredValue(const QString& name)
    {
        TApplicationReg registry(ApplicationName);
        if (!registry.OpenAppKey(AppRootCurrentUser, QString(), false) || !registry.ValueExists(name))
            return {};
        if (registry.GetDataType(name) == REG_BINARY)
            return TRegistryValue::Binary(registry.ReadBinaryData(name, 64));
        return TRegistryValue::String(registry.ReadString(name));
    }
};

TEST_F(VemoraLibStateTest, AFirstStartReadsAndWritesNothingUntilTheMomentIsStoredAsEightBytes)
{
    EXPECT_EQ(Store().RootPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1"));
    AdoptStoredLastBatchRun();
    EXPECT_EQ(GetLastBatchRun(), 0.0);
    EXPECT_FALSE(QFileInfo::exists(Home.RegistryFile()));

    SetLastBatchRun(46123.25);
    EXPECT_EQ(GetLastBatchRun(), 46123.25);
    const TRegistryValue stored = StoredValue(SettingLastBatchRun);
    ASSERT_EQ(stored.Type, REG_BINARY);
    double value = 0;
    ASSERT_EQ(stored.Data.size(), 8);
    std::memcpy(&value, stored.Data.constData(), 8);
    EXPECT_EQ(value, 46123.25);
}

// A stored value that is no date counts as never; the memory starts from never.
TEST_F(VemoraLibStateTest, TheStoredMomentIsAdoptedAtStart)
{
    const std::pair<std::function<void(TApplicationReg&)>, double> rows[] = {
        {[](TApplicationReg& r) { r.WriteInteger(SettingLastBatchRun, 45000); }, 0},
        {[](TApplicationReg& r) { r.WriteBinaryData(SettingLastBatchRun, QByteArray(4, '\1')); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, std::numeric_limits<double>::quiet_NaN()); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, 1e300); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, -5); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, 45000.5); }, 45000.5}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        WriteAppValue(rows[i].first);
        AdoptStoredLastBatchRun();
        EXPECT_EQ(GetLastBatchRun(), rows[i].second) << "row " << i;
    }
}

TEST_F(VemoraLibStateTest, TheLanguageChoiceIsReadAtStartAndWrittenAtTheEnd)
{
    FinalizeVemoraLib();
    WriteAppValue([](TApplicationReg& registry) {
        registry.WriteString(SettingLanguageFilename, QStringLiteral("/l/Vemora_EN.nls"));
        registry.WriteString(SettingCountryFilename, QStringLiteral("/l/State_GB.nls"));
    });
    LanguageFilename().clear();
    InitializeVemoraLib();
    EXPECT_EQ(LanguageFilename(), QStringLiteral("/l/Vemora_EN.nls"));
    EXPECT_EQ(CountryFilename(), QStringLiteral("/l/State_GB.nls"));

    LanguageFilename() = QStringLiteral("/l/Vemora_DE.nls");
    FinalizeVemoraLib();
    EXPECT_EQ(ApplicationReg, nullptr);
    EXPECT_EQ(StoredValue(SettingLanguageFilename), TRegistryValue::String(QStringLiteral("/l/Vemora_DE.nls")));
    InitializeVemoraLib();
}

} // namespace
