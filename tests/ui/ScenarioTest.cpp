// A person's first hours with the program: the first start, one entry of each kind made in the
// real entry editor, saving, the automatic start set up at closing, the logon check of the
// built program on a fixed day (which reads the saved file back), and removing everything with /d.
#include "app/AutoStart.h"
#include "app/VemoraLibState.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/DayChoosers.h"
#include "ui/FormEditDate.h"
#include "ui/FormMain.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include "support/DateEdit.h"
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <functional>

namespace {

// A Friday: the last working day of February 2027, three days before a birthday on 1 March.
const QDate CheckDay(2027, 2, 26);

QString RunBuiltProgram(const QStringList& arguments, const QString& fakeTime = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
    environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=" VEMORA_LSAN_SUPPRESSIONS));
    QProcess process;
    process.setProcessEnvironment(environment);
    const QString program = QStringLiteral(VEMORA_BIN_DIR "/vemora");
    if (fakeTime.isEmpty())
        process.start(program, arguments);
    else
        process.start(QStringLiteral("faketime"), QStringList{fakeTime, program} + arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Makes an entry in the entry editor the way a person does: the New command, the controls, OK.
void MakeEntry(TFormMain& form, const char* text, QDate start, int kind, const std::function<void(QWidget&)>& more = {})
{
    WhenModalOpens([=](QWidget& editor) {
        Child<QPlainTextEdit>(editor, QStringLiteral("MemoDisplayText"))->setPlainText(QString::fromUtf8(text));
        Child<TDateEdit>(editor, QStringLiteral("EditDateStart"))->setDate(start);
        static_cast<TFormEditDate&>(editor).SetCycleKind(kind);
        if (more)
            more(editor);
        Child<QPushButton>(editor, QStringLiteral("ButtonOk"))->click();
    });
    Child<QAction>(form, QStringLiteral("MainMenuEditNew"))->trigger();
}

TEST(ScenarioTest, FromTheFirstStartToTheLogonCheckAndAway)
{
    TTemporaryHome home;
    TScriptedMessages messages;
    InitializeVemoraLib();
    LanguageFilename().clear();
    CountryFilename().clear();
    const QString file = home.FilePath(QStringLiteral("My dates.vkd"));
    {
        WhenModalOpens([](QWidget& languages) {
            auto* list = Child<QListWidget>(languages, QStringLiteral("ListBox1"));
            list->setCurrentItem(list->findItems(QStringLiteral("English (United Kingdom)"), Qt::MatchExactly).value(0));
            Click(Child<QPushButton>(languages, QStringLiteral("ButtonOk")));
        });
        TFormMain form;
        SetApplicationMainForm(&form);
        ASSERT_TRUE(LanguageFilename().endsWith(QStringLiteral("Vemora_EN.nls")));

        MakeEntry(form, "Dentist at 10:30", CheckDay, ekOnce);
        MakeEntry(form, "Vitamins", QDate(2027, 1, 1), ekDaily);
        MakeEntry(form, "Swimming", QDate(2027, 1, 1), ekWeekly, [](QWidget& e) {
            auto* weekdays = Child<QListWidget>(e, QStringLiteral("CheckListBoxWeekdays"));
            weekdays->item(1)->setCheckState(Qt::Checked); // Monday
            weekdays->item(5)->setCheckState(Qt::Checked); // Friday
        });
        MakeEntry(form, "Pay the rent", QDate(2027, 1, 1), ekMonthly, [](QWidget& e) {
            Child<QRadioButton>(e, QStringLiteral("RadioButtonMonthlyDayCycleCycle"))->setChecked(true);
            Child<TComboBoxDayCycle>(e, QStringLiteral("ComboBoxMonthlyDaycycle"))->SetValue(dcLast);
            Child<TComboBoxDayKind>(e, QStringLiteral("ComboBoxMonthlyDaykind"))->SetValue(dkWorkingDay);
        });
        MakeEntry(form, "Anna turns $(COUNT)", QDate(1990, 3, 1), ekYearly, [](QWidget& e) {
            Child<QComboBox>(e, QStringLiteral("ComboBoxYearlyMonths"))->setCurrentIndex(2);
            Child<QSpinBox>(e, QStringLiteral("SpinEditVorwarnzeit"))->setValue(3);
        });
        ASSERT_EQ(form.Entries().Count(), 5);

        PickFileInNextDialog(file);
        Child<QAction>(form, QStringLiteral("MainMenuFileSaveas"))->trigger();
        EXPECT_FALSE(form.Modified());

        WhenModalOpens([](QWidget& question) {
            WhenModalOpens([](QWidget& startup) {
                Child<QCheckBox>(startup, QStringLiteral("CheckBoxAutostart"))->setChecked(true);
                Child<QRadioButton>(startup, QStringLiteral("RadioButtonEditorFile"))->setChecked(true);
                Click(Child<QPushButton>(startup, QStringLiteral("BitBtnOk")));
            });
            Click(Child<QPushButton>(question, QStringLiteral("ButtonYes")));
        });
        EXPECT_FALSE(form.close()) << "Yes keeps the window for the set-up";
        EXPECT_EQ(GetAutoStartFile(), file);
        EXPECT_TRUE(form.close());
    }
    FinalizeVemoraLib();

    const QString output = RunBuiltProgram({QStringLiteral("/r"), GetAutoStartFile()},
                                           CheckDay.toString(Qt::ISODate) + QStringLiteral(" 08:00:00"));
    QStringList alerts;
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts))
        alerts.append(line.section(QStringLiteral(": "), 1));
    EXPECT_EQ(alerts, QStringList({"Dentist at 10:30", "Vitamins", "Swimming", "Pay the rent", "In 3 days: Anna turns 37"}))
        << output.toStdString();

    EXPECT_TRUE(RunBuiltProgram({QStringLiteral("/d")}).isEmpty());
    EXPECT_TRUE(GetAutoStartFile().isEmpty());
    EXPECT_TRUE(QDir(home.AutostartDirectory()).isEmpty());
}

} // namespace
