// Runs the built program as a user would, in a temporary home, without a display, so that
// its messages arrive on standard output.
#include "app/AutoStart.h"
#include "platform/FileRegistryStore.h"
#include "platform/Registry.h"
#include "support/DayNumbers.h"

#include "RunProgram.h"
#include "TestSupport.h"
#include "../app/BatchFiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstring>

namespace {

const QString AppKey = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");

QByteArray Header(char version)
{
    return QByteArray("Vemora configure file\x1a", 22) + QByteArray(1, version);
}

class ProgramRunTest : public testing::Test {
protected:
    TTemporaryHome Home;

    TRunResult Run(const QStringList& arguments, const QString& fakeTime = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VEMORA_HOME"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), Home.Path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.ConfigHome());
        // libfaketime is preloaded ahead of the sanitizer runtime.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
        const QString program = QStringLiteral(VEMORA_BIN_DIR "/vemora");
        if (fakeTime.isEmpty())
            return RunProgram(program, arguments, environment, Home.Path());
        return RunProgram(QStringLiteral("faketime"), QStringList{fakeTime, program} + arguments, environment, Home.Path());
    }

    TFileRegistryStore Store() const { return TFileRegistryStore(Home.RegistryFile()); }

    void WriteAppValues()
    {
        TFileRegistryStore store = Store();
        ASSERT_TRUE(store.CreateKey(AppKey + QStringLiteral("\\FormMain\\Font")));
        store.WriteValue(AppKey, QStringLiteral("ShowAutoRunVemora"), TRegistryValue::Dword(0));
        store.WriteValue(AppKey, QStringLiteral("LanguageFilename"), TRegistryValue::String(QStringLiteral("/l/Vemora_EN.nls")));
        store.WriteValue(AppKey + QStringLiteral("\\FormMain\\Font"), QStringLiteral("Size"), TRegistryValue::Dword(9));
    }
};

TEST_F(ProgramRunTest, RemovalLeavesOnlyTheLanguageValues)
{
    WriteAppValues();
    const QString autostart = Home.WriteFile(QStringLiteral(".config/autostart/vemora-vemora-file-version-2.desktop"),
                                             "[Desktop Entry]\nType=Application\nExec=\"/x\" \"/r\" \"/f.vkd\"\n"
                                             "X-Vemora-RunValueName=Vemora, file version 2\n"
                                             "X-Vemora-RunValueData=\"/x\" /r \"/f.vkd\"\n");
    const TRunResult result = Run({QStringLiteral("/d"), QStringLiteral("ignored"), QStringLiteral("words")});
    EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_TRUE(result.Output.isEmpty()) << result.Output.toStdString();
    EXPECT_FALSE(QFile::exists(autostart));

    TFileRegistryStore store = Store();
    EXPECT_EQ(store.SubKeyNames(AppKey), QStringList());
    QStringList values = store.ValueNames(AppKey);
    values.sort();
    EXPECT_EQ(values, (QStringList{QStringLiteral("CountryFilename"), QStringLiteral("LanguageFilename")}));
    EXPECT_EQ(store.ReadValue(AppKey, QStringLiteral("LanguageFilename")),
              TRegistryValue::String(QStringLiteral("/l/Vemora_EN.nls")));
}

struct TRejectedFileCase {
    const char* Name;
    const char* Argument; // nullptr: "dates file.vkd" in the home
    QByteArray Content;   // written there; empty: no file at all
    const char* Phrase;   // what the English message says
};

class RejectedFileTest : public ProgramRunTest, public testing::WithParamInterface<TRejectedFileCase> {};

// A path or an existing folder is never the removal or batch switch: it is named as a file.
TEST_P(RejectedFileTest, IsNamedAndTheProgramEndsTouchingNoSetting)
{
    WriteAppValues();
    const QString name = GetParam().Argument ? QString::fromUtf8(GetParam().Argument)
                                             : Home.FilePath(QStringLiteral("dates file.vkd"));
    if (!GetParam().Content.isEmpty())
        Home.WriteFile(QStringLiteral("dates file.vkd"), GetParam().Content);
    const TRunResult result = Run({name});
    EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_TRUE(result.Output.contains(name + QString::fromUtf8(GetParam().Phrase))) << result.Output.toStdString();
    EXPECT_FALSE(result.Output.contains(QStringLiteral("not found")) || result.Output.contains(QStringLiteral("editor")));
    EXPECT_EQ(Store().ReadValue(AppKey, QStringLiteral("ShowAutoRunVemora")), TRegistryValue::Dword(0));
    EXPECT_FALSE(Store().ReadValue(AppKey, QStringLiteral("LastBatchRun")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RejectedFileTest,
    testing::Values(TRejectedFileCase{"missing", nullptr, QByteArray(), " is not a valid"},
                    TRejectedFileCase{"short", nullptr, Header(2).left(10), " is not a valid"},
                    TRejectedFileCase{"wrong_magic", nullptr, QByteArray(64, 'x'), " is not a valid"},
                    TRejectedFileCase{"newer_version", nullptr, Header(3), " was saved by a newer version"},
                    TRejectedFileCase{"path_under_d", "/data/x.vkd", QByteArray(), " is not a valid"},
                    TRejectedFileCase{"path_under_r", "/root/x.vkd", QByteArray(), " is not a valid"},
                    TRejectedFileCase{"existing_folder_under_d", "/dev", QByteArray(), " is not a valid"}),
    [](const testing::TestParamInfo<TRejectedFileCase>& info) { return std::string(info.param.Name); });

// With a file that is missing, or none at all, the moment is still stored, and before the file is looked at.
TEST_F(ProgramRunTest, TheBatchSwitchStoresTheMomentBeforeLookingAtTheFile)
{
    if (QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
        GTEST_SKIP() << "faketime is not installed";
    for (const QStringList& call : {QStringList{"/rx", Home.FilePath(QStringLiteral("missing.vkd"))}, {"/r"}}) {
        QFile::remove(Home.RegistryFile());
        const TRunResult result = Run(call, QStringLiteral("2026-03-14 06:00:00"));
        EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
        const auto stored = Store().ReadValue(AppKey, QStringLiteral("LastBatchRun"));
        ASSERT_TRUE(stored && stored->Type == REG_BINARY && stored->Data.size() == 8) << call.first().toStdString();
        double moment = 0;
        std::memcpy(&moment, stored->Data.constData(), 8);
        EXPECT_NEAR(moment, DayFromCivil(2026, 3, 14) + 0.25, 1.0 / 24 / 60);
    }
}

TEST_F(ProgramRunTest, TheLogonCheckPrintsTodaysAlertsWithoutADisplay)
{
    const QString file = TBatchFile()
                             .Once(QStringLiteral("Dentist at 10"), 0)
                             .Once(QStringLiteral("not yet"), 9)
                             .Once(QStringLiteral("Tax return"), 2, 3)
                             .Save(Home.FilePath(QStringLiteral("dates.vkd")));
    const QString noon = QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(" 12:00:00");
    const TRunResult result = Run({QStringLiteral("/r"), file}, noon);
    EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QStringList lines = result.Output.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.Output.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("vemora "))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(": Dentist at 10"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(": In 2 days: Tax return"))) << lines[1].toStdString();
}

TEST_F(ProgramRunTest, ADamagedSettingsFileIsMovedAsideAndTheRunGoesOn)
{
    Home.WriteFile(QStringLiteral(".config/Vemora/registry.reg"), "garbage\n");
    const TRunResult result = Run({QStringLiteral("/d")});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_TRUE(result.Errors.contains(QStringLiteral("damaged"))) << result.Errors.toStdString();
    const QStringList aside =
        QDir(Home.FilePath(QStringLiteral(".config/Vemora"))).entryList({QStringLiteral("registry.reg.damaged-*")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(Store().ReadValue(AppKey, QStringLiteral("LanguageFilename")));
}

TEST_F(ProgramRunTest, TheEditorWithoutADisplaySaysWhatWorksThere)
{
    const TRunResult result = Run({QStringLiteral(VEMORA_SOURCE_DIR "/examples/sample.vkd")});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_TRUE(result.Output.contains(QStringLiteral("graphical session"))) << result.Output.toStdString();
    EXPECT_TRUE(result.Output.contains(QStringLiteral("vemora /r"))) << result.Output.toStdString();
}

} // namespace
