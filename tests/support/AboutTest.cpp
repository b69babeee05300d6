#include "support/About.h"
#include "support/AboutInfo.h"
#include "support/Versions.h"

#include "GuiTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

struct TVersionCase {
    const char* Name;
    TVersionParts Parts;
};

TEST(VersionLabelTest, ShowsTheCaptionAndTheChosenPartsOfTheRunningProgram)
{
    const TVersion running(TVersion::RunningExecutablePath());
    ASSERT_TRUE(running.IsValid());
    const TVersionCase cases[] = {{"major and minor", vpMajor | vpMinor},
                                  {"all four", vpMajor | vpMinor | vpRelease | vpBuild},
                                  {"major and build, skipping the middle", vpMajor | vpBuild}};
    TVersionLabel label(QStringLiteral("Version "));
    for (const TVersionCase& c : cases) {
        label.SetShowVersion(c.Parts);
        EXPECT_EQ(label.text(), QStringLiteral("Version ") + running.Text(c.Parts)) << c.Name;
    }
    label.SetCaption(QStringLiteral("v"));
    EXPECT_EQ(label.text(), QStringLiteral("v") + running.Text(vpMajor | vpBuild));
}

// Runs Execute and inspects the box while it is open; returns the box that was shown.
QWidget* ExecuteAndLook(TAboutDLG& about, const std::function<void(QWidget& box)>& look)
{
    QWidget* shown = nullptr;
    WhenModalOpens([&](QWidget& box) {
        shown = &box;
        look(box);
        Click(Child<QPushButton>(box, QStringLiteral("CloseButton")));
    });
    EXPECT_TRUE(about.Execute());
    return shown;
}

struct TLanguageCase {
    const char* Code;
    const char* Caption;
    const char* Close;
};

TEST(AboutDLGTest, ShowsTheConfiguredProgramInEachLanguage)
{
    const TVersion running(TVersion::RunningExecutablePath());
    for (const TLanguageCase& c : {TLanguageCase{"EN", "About Vemora", "Close"}, TLanguageCase{"DE", "Über Vemora", "Schließen"}}) {
        UseLanguage(QString::fromLatin1(c.Code));
        TAboutDLG about;
        ConfigureAboutDialog(about);
        ExecuteAndLook(about, [&](QWidget& box) {
            EXPECT_EQ(box.windowTitle(), QString::fromUtf8(c.Caption));
            EXPECT_EQ(Child<QLabel>(box, QStringLiteral("ProgramNameLabel"))->text(), QStringLiteral("Vemora"));
            EXPECT_EQ(Child<QLabel>(box, QStringLiteral("VersionLabel1"))->text(), QStringLiteral("Version ") + running.Text());
            EXPECT_EQ(Child<QPushButton>(box, QStringLiteral("CloseButton"))->text().remove(u'&'), QString::fromUtf8(c.Close));
            EXPECT_FALSE(Child<QLabel>(box, QStringLiteral("Image2"))->pixmap().isNull());
            EXPECT_FALSE(GrabToPng(box, QStringLiteral("AboutDLG-") + QString::fromLatin1(c.Code)).isEmpty());
        });
    }
}

TEST(AboutDLGTest, WebButtonOpensTheAddressAndLaterCallsReuseTheBox)
{
    UseLanguage(QStringLiteral("EN"));
    QStringList opened;
    const TAboutDLG::TUrlOpener previous = TAboutDLG::SetUrlOpener([&](const QUrl& url) { opened.append(url.toString()); });
    const QString address = QStringLiteral("https://vemora.orvalin.example/news?page=2");
    TAboutDLG about;
    about.SetProgramName(QStringLiteral("First"));
    about.SetWebAddress(address);
    QWidget* first = ExecuteAndLook(about, [&](QWidget& box) {
        auto* web = Child<QPushButton>(box, QStringLiteral("StartInternetButton"));
        EXPECT_EQ(web->toolTip(), QStringLiteral("Visit the website: ") + address);
        Click(web);
    });
    EXPECT_EQ(opened, QStringList{address});
    about.SetProgramName(QStringLiteral("Second"));
    QWidget* second = ExecuteAndLook(about, [](QWidget& box) { EXPECT_EQ(box.windowTitle(), QStringLiteral("About First")); });
    EXPECT_EQ(first, second);
    TAboutDLG::SetUrlOpener(previous);
}

} // namespace
