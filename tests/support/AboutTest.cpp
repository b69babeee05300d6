#include "support/About.h"
#include "support/AboutInfo.h"
#include "support/Versions.h"
#include "platform/ApplicationIcon.h"

#include "GuiTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <utility>

namespace {

TEST(VersionLabelTest, ShowsTheCaptionAndTheChosenPartsOfTheRunningProgram)
{
    const TVersion running(TVersion::RunningExecutablePath());
    TVersionLabel label(QStringLiteral("Version "));
    for (const TVersionParts parts : {vpMajor | vpMinor, vpMajor | vpBuild}) {
        label.SetShowVersion(parts);
        EXPECT_EQ(label.text(), "Version " + running.Text(parts)) << "no trailing dot, no gap for a skipped part";
    }
}

// Runs Execute and looks at the box while it is open; returns the box that was shown.
QWidget* ExecuteAndLook(TAboutDLG& about, const std::function<void(QWidget& box)>& look)
{
    QWidget* shown = nullptr;
    WhenModalOpens([&](QWidget& box) {
        look(*(shown = &box));
        Click(Child<QPushButton>(box, "CloseButton"));
    });
    EXPECT_TRUE(about.Execute());
    return shown;
}

TEST(AboutDLGTest, ShowsTheConfiguredProgramInEachLanguageAndOpensTheWebAddress)
{
    const QString address = QStringLiteral("https://vemora.orvalin.example/news?page=2");
    QStringList opened;
    const TAboutDLG::TUrlOpener previous = TAboutDLG::SetUrlOpener([&](const QUrl& url) { opened << url.toString(); });
    const QString version = QStringLiteral("Version ") + TVersion(TVersion::RunningExecutablePath()).Text();
    for (const auto& [code, caption] : {std::pair{"EN", "About Vemora"}, {"DE", "Über Vemora"}}) {
        UseLanguage(code);
        TAboutDLG about;
        ConfigureAboutDialog(about);
        about.SetWebAddress(address);
        QWidget* first = ExecuteAndLook(about, [&](QWidget& box) {
            EXPECT_EQ(box.windowTitle(), QString::fromUtf8(caption));
            EXPECT_EQ(Child<QLabel>(box, "VersionLabel1")->text(), version);
            EXPECT_EQ(Child<QLabel>(box, "Image2")->pixmap().toImage(), ApplicationIcon().pixmap(48).toImage());
            EXPECT_FALSE(GrabToPng(box, QStringLiteral("AboutDLG-") + code).isEmpty());
            Click(Child<QPushButton>(box, "StartInternetButton"));
        });
        about.SetProgramName(QStringLiteral("Second")); // later calls show the box as it was made
        EXPECT_EQ(ExecuteAndLook(about, [](QWidget&) {}), first);
        EXPECT_EQ(first->windowTitle(), QString::fromUtf8(caption));
    }
    EXPECT_EQ(opened, QStringList({address, address}));
    TAboutDLG::SetUrlOpener(previous);
}

} // namespace
