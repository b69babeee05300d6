#include "model/EntryFactory.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "support/NLS.h"
#include "ui/EntryFields.h"
#include "ui/FormEditDate.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
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
    T* Control(const char* name) const
    {
        return Child<T>(*Dialog, QString::fromLatin1(name));
    }

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
        TVemoraEntryBasic* added = entry.get();
        Entries.AddEntry(std::move(entry));
        return added;
    }

    QString LastError() const { return Messages.Shown().empty() ? QString() : Messages.Shown().back().Text; }
};

TEST_F(FormEditDateTest, ANewEntryStartsAsAYearlySeriesFromToday)
{
    TEntryFields shown;
    QWidget* focused = nullptr;
    WhenModalOpens([&](QWidget&) {
        shown = Dialog->Fields();
        Control<QPushButton>("ButtonOk")->click();
        focused = Dialog->focusWidget();
        Control<QPushButton>("ButtonCancel")->click();
    });
    EXPECT_EQ(Dialog->Execute(nullptr, Entries), EditResultCancel);
    EXPECT_EQ(shown.CycleKind, ekYearly);
    EXPECT_EQ(shown.DateStart, Today());
    EXPECT_EQ(shown.Repetition, 1);
    EXPECT_EQ(shown.Month, 1);
    EXPECT_EQ(shown.DayCycle, dcNone);
    EXPECT_EQ(shown.Day, 1);
    EXPECT_EQ(shown.DateStop, NoDateStop);
    EXPECT_EQ(shown.MaxCount, NoMaxCount);
    EXPECT_TRUE(shown.Active);
    EXPECT_EQ(shown.Icon, 0);
    EXPECT_EQ(shown.Category, 0);
    EXPECT_EQ(LastError(), FirstCharUpper(LanguageText(0x1ED269F0))) << "an empty text is refused";
    EXPECT_EQ(focused, Control<QPlainTextEdit>("MemoDisplayText"));
}

struct TKindCase {
    const char* Name;
    std::function<std::unique_ptr<TVemoraEntryBasic>()> Make;
};

TEST_F(FormEditDateTest, EachKindComesBackUnchangedThroughTheControls)
{
    const std::vector<TKindCase> cases = {
        {"one-off with end and count", [] { auto e = MakeEntry<TVemoraEntryOnce>("2027-05-04"); e->SetAdvanceWarn(1); return e; }},
        {"daily working days, every 2nd", [] { auto e = MakeEntry<TVemoraEntryDaily>("2026-01-05", 2); e->SetDayKind(dkWorkingDay); e->SetMaxCount(10); return e; }},
        {"weekly Monday and Wednesday", [] { auto e = MakeEntry<TVemoraEntryWeekly>("2026-01-05"); e->SetWeekdays(WeekdayBits({2, 4})); e->SetIcon(48); return e; }},
        {"monthly last working day", [] { auto e = MakeEntry<TVemoraEntryMonthly>("2026-01-01"); e->SetDaySpec(DaySpecOf(dcLast, dkWorkingDay)); e->SetDateStop(Day("2027-12-31")); return e; }},
        {"yearly 29 February", [] { auto e = MakeEntry<TVemoraEntryYearly>("2024-02-29"); e->SetMonth(2); e->SetDay(29); e->SetCategory(0); return e; }},
        {"yearly second Sunday of May", [] { auto e = MakeEntry<TVemoraEntryYearly>("2026-05-10"); e->SetMonth(5); e->SetDaySpec(DaySpecOf(dcSecond, dkSunday)); return e; }},
    };
    for (const TKindCase& test : cases) {
        TVemoraEntryBasic* entry = Add(test.Make(), test.Name);
        entry->SetComment(QStringLiteral("comment of ") + QString::fromLatin1(test.Name));
        EXPECT_EQ(EditAndConfirm(entry), EditResultUnchanged) << test.Name;
        auto copy = CreateEntry(Dialog->CycleKind());
        LoadLanguage(QString(), QString()); // the copy must not depend on the texts shown
        Dialog->LoadFromEntry(entry);
        Dialog->SaveToEntry(*copy);
        EXPECT_EQ(entry->Compare(*copy, 1), 0) << test.Name;
        UseLanguage(QStringLiteral("EN"));
    }
}

TEST_F(FormEditDateTest, AChangedFieldOrKindIsOkAndADuplicateTextIsAsked)
{
    TVemoraEntryBasic* dentist = Add(MakeEntry<TVemoraEntryOnce>("2027-01-01"), "Dentist");
    TVemoraEntryBasic* monthly = Add(MakeEntry<TVemoraEntryMonthly>("2026-01-01"), "Rent");
    EXPECT_EQ(EditAndConfirm(monthly, [this] { Control<QSpinBox>("SpinEditVorwarnzeit")->setValue(3); }), EditResultOk);
    EXPECT_EQ(EditAndConfirm(monthly, [this] { Dialog->SetCycleKind(ekWeekly); }), EditResultCancel)
        << "weekly without a weekday cannot be confirmed";
    EXPECT_EQ(LastError(), FirstCharUpper(LanguageText(0x1ED269F0)));
    EXPECT_EQ(EditAndConfirm(monthly, [this] { Dialog->SetCycleKind(ekDaily); }), EditResultOk);
    EXPECT_EQ(Dialog->CycleKind(), ekDaily);

    const std::size_t before = Messages.Shown().size();
    EXPECT_EQ(EditAndConfirm(dentist, [this] { Control<QSpinBox>("SpinEditVorwarnzeit")->setValue(2); }), EditResultOk)
        << "the edited entry is not its own duplicate";
    EXPECT_EQ(Messages.Shown().size(), before);
    Messages.Service().Answers = {TMessageResult::Cancel, TMessageResult::Ok};
    EXPECT_EQ(EditAndConfirm(monthly, [this] {
                  Control<QPlainTextEdit>("MemoDisplayText")->setPlainText(QStringLiteral("  DENTIST \n"));
                  Control<QPushButton>("ButtonOk")->click();
              }),
              EditResultOk);
    ASSERT_EQ(Messages.Shown().size(), before + 2) << "asked twice: cancelled, then confirmed";
    EXPECT_EQ(Messages.Shown().back().Icon, TMessageIcon::Warning);
    EXPECT_EQ(Dialog->Fields().DisplayText, QStringLiteral("DENTIST"));
}

TEST_F(FormEditDateTest, FieldChecksNameTheFieldAndItsFault)
{
    struct TCase {
        const char* Name;
        int Month;
        int Day;
        bool Valid;
    };
    for (const TCase& test : {TCase{"29 February", 2, 29, true}, TCase{"30 February", 2, 30, false},
                              TCase{"31 April", 4, 31, false}, TCase{"31 December", 12, 31, true}}) {
        TEntryFields fields;
        fields.Month = static_cast<quint8>(test.Month);
        fields.Day = static_cast<quint8>(test.Day);
        Dialog->SetFields(fields);
        EXPECT_EQ(Dialog->ValidateFields(), test.Valid) << test.Name;
    }
    EXPECT_EQ(LastError(), FirstCharUpper(LanguageText(0x78E68034)));
    for (const auto& [text, valid] : std::vector<std::pair<const char*, bool>>{
             {"007", true}, {" 12 ", true}, {"4294967295", true}, {"4294967296", false}, {"", false}, {"1a", false}, {"-1", false}})
        EXPECT_EQ(IsSpinEditValue(QString::fromLatin1(text)), valid) << '"' << text << '"';
}

TEST_F(FormEditDateTest, LabelsAndControlsFollowTheirValues)
{
    auto* warn = Control<QSpinBox>("SpinEditVorwarnzeit");
    auto* count = Control<QSpinBox>("SpinEditRepeatCount");
    for (const auto& [value, id] : std::vector<std::pair<int, quint32>>{{1, 0x4614BFE0}, {0, 0x3B9A262A}, {2, 0x3B9A262A}}) {
        warn->setValue(value);
        count->setValue(std::max(1, value));
        EXPECT_EQ(Control<QLabel>("LabelSpinEditVorwarnzeit")->text(), LanguageText(id)) << value;
    }
    EXPECT_EQ(Control<QLabel>("LabelRepeatCountCaption")->text(), LanguageText(0x01B1A778));
    count->setValue(1);
    EXPECT_EQ(Control<QLabel>("LabelRepeatCountCaption")->text(), LanguageText(0x42EA9AFB));

    Control<QRadioButton>("RadioGroupIsCyclicOnce")->setChecked(true);
    EXPECT_EQ(Dialog->CycleKind(), ekOnce);
    EXPECT_FALSE(Control<QTabWidget>("PageControlCycleKind")->isVisibleTo(Dialog.get()));
    Dialog->SetCycleKind(ekMonthly);
    EXPECT_TRUE(Control<QWidget>("GroupBoxCycleStop")->isVisibleTo(Dialog.get()));
    Dialog->show();
    Control<QSpinBox>("SpinEditMonthlyDay")->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Control<QRadioButton>("RadioButtonMonthlyDayCycleNone")->isChecked());
    TEntryFields icon;
    icon.Icon = 0x47;
    Dialog->SetFields(icon);
    EXPECT_EQ(Control<QComboBox>("ComboBoxIcon")->currentIndex(), 4) << "an icon value between steps shows its step";
}

TEST_F(FormEditDateTest, TheSideCommandsKeepTheDialogUsable)
{
    TVemoraEntryBasic* entry = Add(MakeEntry<TVemoraEntryOnce>("2027-01-01"), "Dentist");
    Entries.Categories().AddCategory(QStringLiteral("Health"), 2);
    entry->SetCategory(2);
    Dialog->SetCategoriesCommand([this] {
        Entries.Categories().AddCategory(QStringLiteral("Work"), 5);
        return true;
    });
    const QString missing = Home.FilePath(QStringLiteral("no such sound.wav"));
    bool previewed = false;
    EXPECT_EQ(EditAndConfirm(entry, [&] {
                  Click(Control<QToolButton>("ButtonCategories"));
                  Control<QComboBox>("HistoryComboBoxMediafile")->setEditText(missing);
                  Click(Control<QToolButton>("ButtonPlay"));
                  WhenModalOpens([&previewed](QWidget& preview) {
                      previewed = preview.objectName() == QLatin1String("FormPreview");
                      static_cast<QDialog&>(preview).reject();
                  });
                  Click(Control<QPushButton>("ButtonPreview"));
              }),
              EditResultOk);
    EXPECT_TRUE(previewed);
    EXPECT_EQ(Control<QComboBox>("ComboBoxCategory")->count(), 3) << "(none), Health and the new Work";
    EXPECT_EQ(Dialog->Fields().Category, 2) << "the chosen category stays chosen";
    EXPECT_EQ(Messages.Shown().at(0).Icon, TMessageIcon::Error) << "the sound that cannot play is reported";

    auto* daily = Control<QComboBox>("ComboBoxDailyDaykind");
    daily->setCurrentIndex(2);
    EditAndConfirm(nullptr, [] {});
    EXPECT_EQ(daily->currentIndex(), 2) << "the daily chooser keeps the previous choice";
}

TEST_F(FormEditDateTest, PicturesOfEachPage)
{
    for (const QString& language : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        UseLanguage(language);
        Dialog = std::make_unique<TFormEditDate>();
        for (int kind = ekDaily; kind <= ekYearly; ++kind) {
            TEntryFields fields;
            fields.CycleKind = kind;
            fields.DateStart = Day("2027-01-01");
            fields.DisplayText = QStringLiteral("Pay the rent");
            fields.Comment = QStringLiteral("Transfer to the landlord's account");
            fields.AdvanceWarn = 2;
            fields.DayCycle = dcLast;
            fields.DayKind = dkWorkingDay;
            fields.Weekdays = WeekdayBits({2, 6});
            Dialog->SetFields(fields);
            EXPECT_FALSE(GrabToPng(*Dialog, QStringLiteral("FormEditDate-%1-%2").arg(language).arg(kind)).isEmpty());
        }
    }
}

} // namespace
