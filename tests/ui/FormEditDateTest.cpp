#include "model/EntryFactory.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "support/NLS.h"
#include "ui/DayChoosers.h"
#include "ui/EntryFields.h"
#include "ui/FormEditDate.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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
    EXPECT_EQ(std::tuple(shown.CycleKind, shown.DateStart, shown.Repetition, shown.DateStop, shown.MaxCount),
              std::tuple(int(ekYearly), Today(), 1, NoDateStop, NoMaxCount));
    EXPECT_EQ(std::tuple(shown.Month, shown.DayCycle, shown.Day, shown.Icon, shown.Category, shown.Active),
              std::tuple(1, int(dcNone), 1, 0, 0, true));
    EXPECT_EQ(LastError(), FirstCharUpper(LanguageText(0x1ED269F0)));
    EXPECT_EQ(focused, Control<QPlainTextEdit>("MemoDisplayText"));
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
    EXPECT_EQ(Dialog->CycleKind(), ekDaily);

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
    EXPECT_EQ(Messages.Shown().back().Icon, TMessageIcon::Warning);
    EXPECT_EQ(Dialog->Fields().DisplayText, QStringLiteral("DENTIST"));
}

TEST_F(FormEditDateTest, FieldChecksNameTheFieldAndItsFault)
{
    struct TCase { const char* Name; quint8 Month, Day; bool Valid; };
    for (const TCase& test : {TCase{"29 February", 2, 29, true}, TCase{"30 February", 2, 30, false},
                              TCase{"31 April", 4, 31, false}, TCase{"31 December", 12, 31, true}}) {
        TEntryFields fields;
        fields.Month = test.Month;
        fields.Day = test.Day;
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
    auto* count = Control<QSpinBox>("SpinEditRepeatCount");
    for (const auto& [value, id] : std::vector<std::pair<int, quint32>>{{1, 0x4614BFE0}, {0, 0x3B9A262A}, {2, 0x3B9A262A}}) {
        Control<QSpinBox>("SpinEditVorwarnzeit")->setValue(value);
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
    bool previewed = false;
    EXPECT_EQ(EditAndConfirm(entry, [&] {
                  Click(Control<QToolButton>("ButtonCategories"));
                  Control<QComboBox>("HistoryComboBoxMediafile")->setEditText(Home.FilePath(QStringLiteral("no.wav")));
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
    EditAndConfirm(nullptr);
    EXPECT_EQ(daily->currentIndex(), 2) << "the daily chooser keeps the previous choice";
}

TEST_F(FormEditDateTest, PicturesOfTheMonthlyPage)
{
    for (const QString& language : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        UseLanguage(language);
        Dialog = std::make_unique<TFormEditDate>();
        TEntryFields fields;
        fields.CycleKind = ekMonthly;
        fields.DateStart = Day("2027-01-01");
        fields.DisplayText = QStringLiteral("Pay the rent");
        fields.Comment = QStringLiteral("Transfer to the landlord's account");
        fields.AdvanceWarn = 2;
        fields.DayCycle = dcLast;
        fields.DayKind = dkWorkingDay;
        Dialog->SetFields(fields);
        EXPECT_FALSE(GrabToPng(*Dialog, QStringLiteral("FormEditDate-%1-%2").arg(language).arg(ekMonthly)).isEmpty());
    }
}

using TItems = QList<QPair<QString, int>>;

TItems Items(const QComboBox& chooser)
{
    TItems items;
    for (int i = 0; i < chooser.count(); ++i)
        items.append({chooser.itemText(i), chooser.itemData(i).toInt()});
    return items;
}

TEST(DayChoosersTest, DayKindItemsCarryTheValuesOfTheRulesAndTheSelectionSurvivesARefill)
{
    UseLanguage(QStringLiteral("EN"));
    TComboBoxDayKind kind;
    QSignalSpy changes(&kind, &QComboBox::currentIndexChanged);
    kind.RefillItems();
    const TItems kinds{{"Day", 9}, {"Working day", 0}, {"Weekend day", 8}};
    EXPECT_EQ(Items(kind), kinds);
    EXPECT_EQ(kind.Value(), dkAnyDay) << "an empty chooser selects its first item";
    kind.SetValue(dkWeekend);
    kind.SetValue(dkTuesday);
    EXPECT_EQ(kind.Value(), dkWeekend) << "a value without an item changes nothing";
    changes.clear();
    kind.SetWithWeekdays(true);
    EXPECT_EQ(Items(kind), (kinds + TItems{{"Sunday", 1}, {"Monday", 2}, {"Tuesday", 3}, {"Wednesday", 4},
                                           {"Thursday", 5}, {"Friday", 6}, {"Saturday", 7}}));
    EXPECT_TRUE(changes.isEmpty()) << "the selection stayed, so nobody is told";
    kind.SetValue(dkTuesday);
    kind.SetWithWeekdays(false);
    EXPECT_EQ(kind.Value(), dkAnyDay);
    EXPECT_EQ(changes.size(), 2) << "Tuesday chosen, then lost with the weekdays";
    TTemporaryHome home; // a country file without a name for Monday
    LoadLanguage(home.WriteFile("State_XX.nls", "LONGDAYNAMES = Sonntag,,Dienstag\n"), ":/lang/Vemora_EN.nls");
    kind.SetWithWeekdays(true);
    EXPECT_EQ(kind.itemText(3) + u'|' + kind.itemText(4), "Sonntag|" + QLocale().standaloneDayName(Qt::Monday));
}

TEST(DayChoosersTest, DayCycleItemsAndTakingTheFocusChecksTheLinkedRadioButton)
{
    UseLanguage(QStringLiteral("EN"));
    TComboBoxDayCycle chooser;
    chooser.RefillItems();
    EXPECT_EQ(Items(chooser), (TItems{{"First", 1}, {"Second", 2}, {"Third", 3}, {"Fourth", 4}, {"Last", 5}}));
    QRadioButton linked;
    chooser.SetLinkedRadioButton(&linked);
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(&chooser, &focus);
    EXPECT_TRUE(linked.isChecked());
}

} // namespace
