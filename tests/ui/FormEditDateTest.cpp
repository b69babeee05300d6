#include "model/EntryFactory.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "support/NLS.h"
#include "ui/DayChoosers.h"
#include "ui/EntryFields.h"
#include "ui/FormEditDate.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
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
};

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
