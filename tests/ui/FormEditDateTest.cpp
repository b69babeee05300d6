#include "app/DateFieldCheck.h"
#include "model/EntryFactory.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "settings/HistoryComboBox.h"
#include "settings/HistoryStringlist.h"
#include "support/DateEdit.h"
#include "support/NLS.h"
#include "ui/DayChoosers.h"
#include "ui/EntryFields.h"
#include "ui/FormEditDate.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

class FormEditDateTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    TVemoraEntries Entries;
    std::unique_ptr<TFormEditDate> Dialog;

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        Dialog = std::make_unique<TFormEditDate>();
    }
    template <typename T>
    T* Control(const char* name) const { return Child<T>(*Dialog, QString::fromLatin1(name)); }

    // Runs the editor on entry, lets act work on the open dialog, then presses OK.
    int EditAndConfirm(TVemoraEntryBasic* entry, const std::function<void()>& act = {})
    {
        WhenModalOpens([this, act](QWidget&) {
            Dialog->activateWindow(); // focus events come only to the active window
            EXPECT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
            if (act)
                act();
            Control<QPushButton>("ButtonOk")->click();
            if (Dialog->isVisible())
                Control<QPushButton>("ButtonCancel")->click();
        });
        return Dialog->Execute(entry, Entries);
    }
    TVemoraEntryBasic* Add(std::unique_ptr<TVemoraEntryBasic> entry, const char* text)
    {
        entry->SetDisplayText(QString::fromLatin1(text));
        return Entries.Items(Entries.AddEntry(std::move(entry)));
    }
    QString LastError() const { return Messages.Shown().empty() ? QString() : Messages.Shown().back().Text; }
    // Keys as a person types them into whatever has the focus.
    void Type(const QString& keys) const { QTest::keyClicks(Dialog->focusWidget(), keys); }
    QString NextDatesLine() const { return Control<QLabel>("LabelNextDates")->text(); }
    void UseDialogIn(const char* language)
    {
        Dialog.reset();
        UseLanguage(QString::fromLatin1(language));
        Dialog = std::make_unique<TFormEditDate>();
    }
};

// Clicking "Once" puts the focus into the start day; what is typed there is the day kept.
TEST_F(FormEditDateTest, ADateIsTheDateTyped)
{
    struct TCase { const char* Language; const char* Keys; const char* Expected; };
    const TCase cases[] = {
        {"EN", "15/12/2026", "2026-12-15"}, {"EN", "07/12/1990", "1990-12-07"}, {"EN", "15122026", "2026-12-15"},
        {"EN", "7/12/90", "1990-12-07"},    {"EN", "31/02/2027", nullptr},     {"DE", "01.01.2030", "2030-01-01"},
        {"DE", "1.1.30", "2030-01-01"},     {"DE", "29.02.2027", nullptr},
    };
    for (const TCase& test : cases) {
        UseDialogIn(test.Language);
        bool shownAsDate = false;
        const int result = EditAndConfirm(nullptr, [&] {
            Control<QPlainTextEdit>("MemoDisplayText")->setPlainText(QStringLiteral("Dentist"));
            Click(Control<QRadioButton>("RadioGroupIsCyclicOnce"));
            Type(QString::fromLatin1(test.Keys));
            shownAsDate = Control<TDateEdit>("EditDateStart")->HasDate();
        });
        const QString outcome = test.Expected ? Iso(Dialog->Fields().DateStart) : LastError();
        EXPECT_EQ(std::tuple(result, shownAsDate, outcome),
                  std::tuple(test.Expected ? EditResultOk : EditResultCancel, test.Expected != nullptr,
                             test.Expected ? QString::fromLatin1(test.Expected)
                                           : NotADateText(Control<QLabel>("LabelEditDateStart")->text()))) << test.Keys;
    }
    // A whole date pasted replaces the field's text, wherever the cursor stands.
    QApplication::clipboard()->setText(QStringLiteral(" 3.4.2027"));
    auto* start = Control<TDateEdit>("EditDateStart");
    QTest::keyClick(start, Qt::Key_End);
    QTest::keyClick(start, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(start->date(), start->text()), std::tuple(QDate(2027, 4, 3), QStringLiteral("03.04.2027")));
}

// Values no control can show (damaged or foreign files) stay as they are unless the person
// changes that field; a one-off keeps no limits once it is saved.
TEST_F(FormEditDateTest, AnUntouchedFieldKeepsWhatTheEntryHolds)
{
    TVemoraEntryBasic* monthly = Add(MakeEntry<TVemoraEntryMonthly>("2026-01-01"), "x");
    monthly->SetDisplayText(QStringLiteral("Rent\r\ndue"));
    monthly->SetMaxCount(0);
    monthly->SetRepetition(0);
    monthly->SetIcon(96);
    monthly->SetCategory(9);
    static_cast<TVemoraEntryMonthly*>(monthly)->SetDaySpec(DaySpecOf(dcFirst, 12));
    TVemoraEntryBasic* once = Add(MakeEntry<TVemoraEntryOnce>("2027-01-01"), "Dentist");
    once->SetDateStop(Day("2026-01-01"));
    once->SetMaxCount(2);
    int closedByKeypad = 0;
    const auto confirmByKeypad = [&] {
        QTest::keyClick(Control<QPlainTextEdit>("MemoDisplayText"), Qt::Key_Enter, Qt::KeypadModifier);
        closedByKeypad += !Dialog->isVisible();
    };
    const int monthlyResult = EditAndConfirm(monthly, confirmByKeypad);
    const int onceResult = EditAndConfirm(once, confirmByKeypad);
    EXPECT_EQ(std::tuple(monthlyResult, onceResult, closedByKeypad), std::tuple(EditResultUnchanged, EditResultUnchanged, 2));
    for (TVemoraEntryBasic* entry : {monthly, once}) { // the comment changed, and nothing else
        auto saved = CreateEntry(entry->Kind());
        Dialog->LoadFromEntry(entry);
        Control<QLineEdit>("EditComment")->setText(QStringLiteral("new"));
        Dialog->SaveToEntry(*saved);
        entry->SetComment(QStringLiteral("new"));
        EXPECT_EQ(entry == once ? std::pair(saved->DateStop(), saved->MaxCount()) : std::pair(0, entry->Compare(*saved, 1)),
                  entry == once ? std::pair(NoDateStop, NoMaxCount) : std::pair(0, 0));
    }
}

// Tab goes down the page a person sees; leaving the media combo, not opening its list, keeps its text.
TEST_F(FormEditDateTest, KeysFollowWhatIsShown)
{
    EditAndConfirm(nullptr, [this] {
        Dialog->SetCycleKind(ekMonthly);
        Control<QTabWidget>("PageControlCycleKind")->setFocus();
        QStringList visited;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(Dialog->focusWidget(), Qt::Key_Tab);
            visited.append(Dialog->focusWidget()->objectName());
        }
        // Entering the day checks its radio button, so Tab passes the other one by.
        EXPECT_EQ(visited, QStringList({"RadioButtonMonthlyDayCycleNone", "SpinEditMonthlyDay", "ComboBoxMonthlyDaycycle",
                                        "ComboBoxMonthlyDaykind", "SpinEditRepetition", "CheckBoxDateStopHave"}));
        auto* media = Control<THistoryComboBox>("HistoryComboBoxMediafile");
        media->setFocus();
        Type(QStringLiteral("half"));
        media->showPopup();
        const int whileOpen = media->History().IndexOf(QStringLiteral("half"));
        media->hidePopup();
        QTest::keyClick(Dialog->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(std::pair(whileOpen, media->History().IndexOf(QStringLiteral("half"))), std::pair(-1, 0));
    });
}

// The line under the rule follows each typed change, in the chosen language; OK refuses an end
// before the start, and the next new entry offers today as its end again.
TEST_F(FormEditDateTest, TheNextDatesFollowTheFields)
{
    for (const char* language : {"EN", "DE"}) {
        UseDialogIn(language);
        QStringList lines;
        QWidget* refused = nullptr;
        EditAndConfirm(nullptr, [&] {
            const auto typeInto = [&](const char* field, const char* keys) {
                Control<QWidget>(field)->setFocus();
                QTest::keyClick(Dialog->focusWidget(), Qt::Key_A, Qt::ControlModifier);
                Type(QString::fromLatin1(keys));
                lines.append(NextDatesLine());
            };
            Click(Control<QRadioButton>("RadioGroupIsCyclicOnce"));
            Type(QStringLiteral("15/12/2030"));
            lines.append(NextDatesLine());
            typeInto("EditDateStart", "03/05/2021");
            typeInto("EditDateStart", "31/02/2031");
            Click(Control<QRadioButton>("RadioGroupIsCyclicRepeated"));
            Control<QSpinBox>("SpinEditYearlyDay")->setValue(15);
            Control<QComboBox>("ComboBoxYearlyMonths")->setCurrentIndex(11);
            typeInto("EditDateStart", "15/12/2030");
            Click(Control<QCheckBox>("CheckBoxDateStopHave"));
            typeInto("EditDateStop", "01/01/2030");
            Control<QPlainTextEdit>("MemoDisplayText")->setPlainText(QStringLiteral("Rent"));
            Click(Control<QPushButton>("ButtonOk"));
            refused = LastError() == LanguageText(0x5D41A702) ? Dialog->focusWidget() : nullptr;
            Click(Control<QCheckBox>("CheckBoxDateStopHave"));
            Dialog->SetCycleKind(ekWeekly); // no weekday ticked
            lines.append(NextDatesLine());
            Dialog->SetCycleKind(ekYearly);
            GrabToPng(*Dialog, QStringLiteral("FormEditDate-NextDates-") + QString::fromLatin1(language));
        });
        const QStringList expected = language == std::string_view("EN")
            ? QStringList{"Next dates: Sunday, 15 December 2030", "Last date was 03/05/2021", "“Start” does not hold a date.",
                          "Next dates: Sunday, 15 December 2030; Monday, 15 December 2031; Wednesday, 15 December 2032",
                          "Never: the end day lies before the start day", "Never: no day fits the rule"}
            : QStringList{"Nächste Termine: Sonntag, 15 Dezember 2030", "Letzter Termin war am 03.05.2021",
                          "„Beginn“ enthält kein Datum.",
                          "Nächste Termine: Sonntag, 15 Dezember 2030; Montag, 15 Dezember 2031; Mittwoch, 15 Dezember 2032",
                          "Nie: das Serienende liegt vor dem Beginn", "Nie: kein Tag passt zur Regel"};
        EXPECT_EQ(std::pair(lines, refused), std::pair(expected, Control<QWidget>("EditDateStop"))) << language;
        EditAndConfirm(nullptr);
        EXPECT_EQ(Control<TDateEdit>("EditDateStop")->date(), QDate::currentDate()) << "a fresh end";
    }
}

TEST_F(FormEditDateTest, ANewEntryStartsAsAYearlySeriesFromTodayAndNeedsAText)
{
    TEntryFields shown;
    QWidget* focused = nullptr;
    EXPECT_EQ(EditAndConfirm(nullptr, [&] {
                  shown = Dialog->Fields();
                  Control<QPushButton>("ButtonOk")->click();
                  focused = Dialog->focusWidget();
              }),
              EditResultCancel);
    EXPECT_EQ(std::tuple(shown.CycleKind, shown.DateStart, shown.Repetition, shown.DateStop, shown.MaxCount, shown.Month,
                         shown.DayCycle, shown.Day, shown.Active),
              std::tuple(int(ekYearly), Today(), 1, NoDateStop, NoMaxCount, 1, int(dcNone), 1, true));
    EXPECT_EQ(std::tuple(LastError(), focused), std::tuple(FirstCharUpper(LanguageText(0x1ED269F0)),
                                                           Control<QPlainTextEdit>("MemoDisplayText")));
}

TEST_F(FormEditDateTest, EachKindComesBackUnchangedThroughTheControls)
{
    const std::vector<std::pair<const char*, std::function<std::unique_ptr<TVemoraEntryBasic>()>>> cases = {
        {"one-off", [] { auto e = MakeEntry<TVemoraEntryOnce>("2027-05-04"); e->SetAdvanceWarn(1); return e; }},
        {"daily working days, every 2nd", [] { auto e = MakeEntry<TVemoraEntryDaily>("2026-01-05", 2);
             e->SetDayKind(dkWorkingDay); e->SetMaxCount(10); return e; }},
        {"weekly Monday and Wednesday", [] { auto e = MakeEntry<TVemoraEntryWeekly>("2026-01-05");
             e->SetWeekdays(WeekdayBits({2, 4})); e->SetIcon(48); return e; }},
        {"monthly last working day", [] { auto e = MakeEntry<TVemoraEntryMonthly>("2026-01-01");
             e->SetDaySpec(DaySpecOf(dcLast, dkWorkingDay)); e->SetDateStop(Day("2027-12-31")); return e; }},
        {"yearly 29 February", [] { auto e = MakeEntry<TVemoraEntryYearly>("2024-02-29");
             e->SetMonth(2); e->SetDay(29); e->SetCategory(0); return e; }},
        {"yearly second Sunday of May", [] { auto e = MakeEntry<TVemoraEntryYearly>("2026-05-10");
             e->SetMonth(5); e->SetDaySpec(DaySpecOf(dcSecond, dkSunday)); return e; }},
    };
    for (const auto& [name, make] : cases) {
        TVemoraEntryBasic* entry = Add(make(), name);
        entry->SetComment(QStringLiteral("comment of ") + QString::fromLatin1(name));
        EXPECT_EQ(EditAndConfirm(entry), EditResultUnchanged) << name;
        auto copy = CreateEntry(Dialog->CycleKind());
        LoadLanguage(QString(), QString()); // the copy must not depend on the texts shown
        Dialog->LoadFromEntry(entry);
        Dialog->SaveToEntry(*copy);
        EXPECT_EQ(entry->Compare(*copy, 1), 0) << name;
        UseLanguage(QStringLiteral("EN"));
    }
}

TEST_F(FormEditDateTest, AChangedFieldOrKindIsOkAndADuplicateTextIsAsked)
{
    TVemoraEntryBasic* dentist = Add(MakeEntry<TVemoraEntryOnce>("2027-01-01"), "Dentist");
    TVemoraEntryBasic* monthly = Add(MakeEntry<TVemoraEntryMonthly>("2026-01-01"), "Rent");
    const auto warn = [this](int days) { Control<QSpinBox>("SpinEditVorwarnzeit")->setValue(days); };
    EXPECT_EQ(EditAndConfirm(monthly, [&] { warn(3); }), EditResultOk);
    EXPECT_EQ(EditAndConfirm(monthly, [this] { Dialog->SetCycleKind(ekWeekly); }), EditResultCancel)
        << "weekly without a weekday cannot be confirmed";
    EXPECT_EQ(LastError(), FirstCharUpper(LanguageText(0x1ED269F0)));
    EXPECT_EQ(EditAndConfirm(monthly, [this] { Dialog->SetCycleKind(ekDaily); }), EditResultOk);

    const std::size_t before = Messages.Shown().size();
    EXPECT_EQ(EditAndConfirm(dentist, [&] { warn(2); }), EditResultOk) << "the edited entry is not its own duplicate";
    EXPECT_EQ(Messages.Shown().size(), before);
    Messages.Service().Answers = {TMessageResult::Cancel, TMessageResult::Ok};
    EXPECT_EQ(EditAndConfirm(monthly, [this] {
                  Control<QPlainTextEdit>("MemoDisplayText")->setPlainText(QStringLiteral("  DENTIST \n"));
                  Control<QPushButton>("ButtonOk")->click();
              }),
              EditResultOk);
    ASSERT_EQ(Messages.Shown().size(), before + 2) << "asked twice: cancelled, then confirmed";
    EXPECT_EQ(std::tuple(Messages.Shown().back().Icon, Dialog->Fields().DisplayText),
              std::tuple(TMessageIcon::Warning, QStringLiteral("DENTIST")));
}

TEST_F(FormEditDateTest, FieldChecksNameTheFieldAndItsFault)
{
    for (const auto& [month, day, valid] : {std::tuple(2, 29, true), std::tuple(2, 30, false), std::tuple(4, 31, false)}) {
        TEntryFields fields;
        fields.Month = static_cast<quint8>(month);
        fields.Day = static_cast<quint8>(day);
        Dialog->SetFields(fields);
        EXPECT_EQ(Dialog->ValidateFields(), valid) << day << '.' << month;
    }
    EXPECT_EQ(LastError(), FirstCharUpper(LanguageText(0x78E68034)));
    EXPECT_EQ(QList<bool>({IsSpinEditValue(" 12 "), IsSpinEditValue("4294967295"), IsSpinEditValue("4294967296"),
                           IsSpinEditValue(""), IsSpinEditValue("1a")}), QList<bool>({true, true, false, false, false}));
}

TEST_F(FormEditDateTest, TheSideCommandsKeepTheDialogUsable)
{
    TVemoraEntryBasic* entry = Add(MakeEntry<TVemoraEntryOnce>("2027-01-01"), "Dentist");
    Entries.Categories().AddCategory(QStringLiteral("Health"), 2);
    entry->SetCategory(2);
    Dialog->SetCategoriesCommand([this] { Entries.Categories().AddCategory(QStringLiteral("Work"), 5); return true; });
    QString previewed;
    EXPECT_EQ(EditAndConfirm(entry, [&] {
                  Click(Control<QToolButton>("ButtonCategories"));
                  Control<QComboBox>("HistoryComboBoxMediafile")->setEditText(Home.FilePath(QStringLiteral("no.wav")));
                  Click(Control<QToolButton>("ButtonPlay"));
                  WhenModalOpens([&previewed](QWidget& preview) {
                      previewed = preview.objectName();
                      static_cast<QDialog&>(preview).reject();
                  });
                  Click(Control<QPushButton>("ButtonPreview"));
              }),
              EditResultOk);
    // (none), Health and the new Work, Health still chosen, and the sound that cannot play reported.
    EXPECT_EQ(std::tuple(previewed, Control<QComboBox>("ComboBoxCategory")->count(), Dialog->Fields().Category,
                         Messages.Shown().at(0).Icon),
              std::tuple(QStringLiteral("FormPreview"), 3, 2, TMessageIcon::Error));
    auto* daily = Control<QComboBox>("ComboBoxDailyDaykind");
    daily->setCurrentIndex(2);
    EditAndConfirm(nullptr);
    EXPECT_EQ(daily->currentIndex(), 2) << "the daily chooser keeps the previous choice";
}

// The cycle's items are covered by the scenario's last working day; the kinds' list changes its length.
TEST(DayChoosersTest, TheSelectionSurvivesARefillThatStillHasItsItem)
{
    UseLanguage(QStringLiteral("EN"));
    TComboBoxDayKind kind;
    QSignalSpy changes(&kind, &QComboBox::currentIndexChanged);
    kind.RefillItems();
    kind.SetValue(dkWeekend);
    kind.SetValue(dkTuesday);
    EXPECT_EQ(kind.Value(), dkWeekend) << "a value without an item changes nothing";
    changes.clear();
    kind.SetWithWeekdays(true);
    EXPECT_EQ(std::tuple(kind.count(), changes.size()), std::tuple(10, qsizetype(0))) << "nobody told of a kept choice";
    kind.SetValue(dkTuesday);
    EXPECT_EQ(std::tuple(kind.currentText(), kind.itemData(1).toInt()), std::tuple(QStringLiteral("Tuesday"), 0));
    kind.SetWithWeekdays(false);
    EXPECT_EQ(std::tuple(int(kind.Value()), changes.size()), std::tuple(int(dkAnyDay), qsizetype(2)))
        << "Tuesday lost with the weekdays";
}

} // namespace
