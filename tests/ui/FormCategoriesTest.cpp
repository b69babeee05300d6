#include "ui/FormCategories.h"

#include "model/EntryFactory.h"
#include "model/VemoraEntries.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace {

class FormCategoriesTest : public testing::Test {
protected:
    TScriptedMessages Messages;
    TVemoraEntries Entries;
    std::unique_ptr<TFormCategories> Form;
    QStringList Answers; // for the coming name inputs in turn; a null one cancels
    QStringList Shown; // the messages, and title|offered name of each input
    QTimer Inputs;

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        Form = std::make_unique<TFormCategories>();
        Messages.Service().OnShow = [this](const TMessageRequest& message) { Shown << message.Text; };
        // An input nobody expects is cancelled, so that nothing waits forever.
        QObject::connect(&Inputs, &QTimer::timeout, [this] {
            auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!input)
                return;
            Shown << input->windowTitle() + u'|' + input->textValue();
            const QString answer = Answers.isEmpty() ? QString() : Answers.takeFirst();
            input->setTextValue(answer);
            input->done(answer.isNull() ? QDialog::Rejected : QDialog::Accepted);
        });
        Inputs.start(10);
    }

    QListWidget* List() const { return Child<QListWidget>(*Form, QStringLiteral("ListBoxCategories")); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(*Form, "Button" + QLatin1String(name)); }
    bool Run(const TCategoryStrings& table, std::function<void(QWidget&)> during, bool readOnly = false)
    {
        Entries.Categories().Assign(table);
        WhenModalOpens(std::move(during));
        return Form->Execute(Entries, readOnly);
    }
};

struct TCase {
    const char* Name;
    TCategoryStrings Table;
    QStringList Steps, Answers; // each step an action on the items it selects first
    bool Ok;
    TCategoryStrings Result;
    QString Selected;
    QStringList Shown;
    bool ReadOnly = false;
};
void PrintTo(const TCase& c, std::ostream* out) { *out << c.Name; }

class StepsTest : public FormCategoriesTest, public testing::WithParamInterface<TCase> {};

TEST_P(StepsTest, EditAsTheRulesAllowAndOkReportsOnlyARealChange)
{
    const TCase& c = GetParam();
    Entries.Items(Entries.AddEntry(CreateEntry(ekOnce)))->SetCategory(3);
    Answers = c.Answers;
    EXPECT_EQ(Run(c.Table, [&](QWidget&) {
        for (const QString& step : c.Steps) {
            const QString action = step.section(u' ', 0, 0), items = step.section(u' ', 1);
            for (int row = 0; row < List()->count(); ++row)
                List()->item(row)->setSelected(items.split(u',').contains(List()->item(row)->text()));
            if (action == u"DoubleClick") { // as a user does it: a click, then the second press
                const QPoint point = List()->visualItemRect(List()->selectedItems().value(0)).center();
                QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, point);
                QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, point);
            } else if (action == u"Insert") {
                QTest::keyClick(List(), Qt::Key_Insert);
            } else {
                QTest::mouseClick(Button(qPrintable(action)), Qt::LeftButton); // ignored when disabled
            }
        }
        EXPECT_NE(Button("Ok")->isEnabled(), c.ReadOnly);
        // A read-only table is not handed back, however the dialog closes.
        c.ReadOnly ? Form->accept() : Click(Button("Ok"));
    }, c.ReadOnly), c.Ok);
    EXPECT_EQ(Form->Categories(), c.Result);
    EXPECT_EQ(Shown, c.Shown);
    const QListWidgetItem* selected = List()->selectedItems().value(0);
    EXPECT_EQ(selected ? selected->text() : QString(), c.Selected);
}

const TCategoryStrings Two{{"Home", 3}, {"Work", 1}};
const TCategoryStrings Full = [] {
    TCategoryStrings full;
    for (int number = 1; number <= 255; ++number)
        full.append({QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0')), static_cast<quint8>(number)});
    return full;
}();

INSTANTIATE_TEST_SUITE_P(Cases, StepsTest, testing::Values(
    TCase{"new_ones_take_the_smallest_free_numbers", Two, {"New", "New"}, {" \tLeisure ", "Sport"}, true,
          {{"Home", 3}, {"Leisure", 2}, {"Sport", 4}, {"Work", 1}}, "Sport", {"New category|", "New category|"}},
    TCase{"renamed_in_other_letter_case_or_to_another_place", Two, {"Edit Work", "Edit Home"}, {"WORK", "Zoo"}, true,
          {{"WORK", 1}, {"Zoo", 3}}, "Zoo", {"Rename category|Work", "Rename category|Home"}},
    TCase{"another_items_name_is_refused", Two, {"Edit Work"}, {" hOME ", QString()}, false, Two, "Work",
          {"Rename category|Work", "A category with this name already exists.", "Rename category| hOME "}},
    TCase{"blank_name_is_refused", Two, {"New"}, {"   ", "a"}, true, {{"a", 2}, {"Home", 3}, {"Work", 1}}, "a",
          {"New category|", "A value is required here.", "New category|"}},
    TCase{"renamed_back_is_no_change", Two, {"DoubleClick Work", "DoubleClick Job"}, {"Job", "Work"}, false, Two,
          "Work", {"Rename category|Work", "Rename category|Job"}},
    TCase{"used_ones_are_not_deleted", {{"Home", 3}, {"Sport", 4}, {"Work", 1}},
          {"Delete Work,Home", "Delete Work,Sport"}, {}, true, {{"Home", 3}}, {},
          {"At least one of the selected categories is still used by entries."}},
    TCase{"a_full_table_takes_no_new_one", Full, {"New"}, {}, false, Full, {},
          {"No more categories can be added: all 255 numbers are in use."}},
    TCase{"read_only_takes_only_the_insert_key", Two, {"New", "Edit Work", "Delete Work", "DoubleClick Work", "Insert"},
          {"Extra"}, false, {{"Extra", 2}, {"Home", 3}, {"Work", 1}}, "Extra", {"New category|"}, true}),
    [](const testing::TestParamInfo<TCase>& info) { return std::string(info.param.Name); });

TEST_F(FormCategoriesTest, CaptionsAndPicturesInEachLanguage)
{
    EXPECT_EQ(&FormCategories(), &FormCategories());
    QStringList captions;
    for (const QString language : {"EN", "DE"}) {
        UseLanguage(language);
        Form = std::make_unique<TFormCategories>(); // with the language's texts
        Run(Two, [&](QWidget&) { captions << Form->windowTitle(); Form->reject(); }, true);
        Run({{"Work", 1}, {"Family", 2}, {"Birthdays", 3}}, [&](QWidget&) {
            captions << Form->windowTitle();
            List()->item(1)->setSelected(true);
            EXPECT_FALSE(GrabToPng(*Form, "FormCategories-" + language).isEmpty());
            Form->reject();
        });
    }
    EXPECT_EQ(captions, QStringList({"Categories (read-only)", "Categories", "Kategorien (schreibgeschützt)",
                                     "Kategorien"}));
}

} // namespace
