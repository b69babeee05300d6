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

struct TCase {
    const char* Name;
    TCategoryStrings Table;
    QStringList Steps, Answers; // each step an action on the items it selects first; a null answer cancels
    bool Ok;
    TCategoryStrings Result;
    QString Selected;
    QStringList Shown; // the messages, and title|offered name of each input
    bool ReadOnly = false;
};
void PrintTo(const TCase& c, std::ostream* out) { *out << c.Name; }

class FormCategoriesTest : public testing::TestWithParam<TCase> {
protected:
    TScriptedMessages Messages;
    TVemoraEntries Entries;
    std::unique_ptr<TFormCategories> Form;
    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        Form = std::make_unique<TFormCategories>();
    }
    QListWidget* List() const { return Child<QListWidget>(*Form, QStringLiteral("ListBoxCategories")); }
    QPushButton* Button(const QString& name) const { return Child<QPushButton>(*Form, "Button" + name); }
};

TEST_P(FormCategoriesTest, EditAsTheRulesAllowAndOkReportsOnlyARealChange)
{
    const TCase& c = GetParam();
    QStringList answers = c.Answers, shown;
    Messages.Service().OnShow = [&shown](const TMessageRequest& message) { shown << message.Text; };
    // An input nobody expects is cancelled, so that nothing waits forever.
    QTimer inputs;
    QObject::connect(&inputs, &QTimer::timeout, [&] {
        if (auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            shown << input->windowTitle() + u'|' + input->textValue();
            const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
            input->setTextValue(answer);
            input->done(answer.isNull() ? QDialog::Rejected : QDialog::Accepted);
        }
    });
    inputs.start(10);
    Entries.Items(Entries.AddEntry(CreateEntry(ekOnce)))->SetCategory(3);
    Entries.Categories().Assign(c.Table);
    WhenModalOpens([&](QWidget&) {
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
                QTest::mouseClick(Button(action), Qt::LeftButton); // ignored when disabled
            }
        }
        EXPECT_EQ(std::tuple(Button("Ok")->isEnabled(), Form->windowTitle()),
                  std::tuple(!c.ReadOnly, QString(c.ReadOnly ? "Categories (read-only)" : "Categories")));
        // A read-only table is not handed back, however the dialog closes.
        c.ReadOnly ? Form->accept() : Click(Button("Ok"));
    });
    EXPECT_EQ(Form->Execute(Entries, c.ReadOnly), c.Ok);
    EXPECT_EQ(Form->Categories(), c.Result);
    EXPECT_EQ(shown, c.Shown);
    const QListWidgetItem* selected = List()->selectedItems().value(0);
    EXPECT_EQ(selected ? selected->text() : QString(), c.Selected);
}

const TCategoryStrings Two{{"Home", 3}, {"Work", 1}};
const TCategoryStrings Full = [full = TCategoryStrings()]() mutable {
    for (int number = 1; number <= 255; ++number)
        full.append({QString::number(number + 1000), static_cast<quint8>(number)});
    return full;
}();

INSTANTIATE_TEST_SUITE_P(Cases, FormCategoriesTest, testing::Values(
    TCase{"new_ones_take_the_smallest_free_numbers", Two, {"New", "New"}, {" \tLeisure ", "Sport"}, true,
          {{"Home", 3}, {"Leisure", 2}, {"Sport", 4}, {"Work", 1}}, "Sport", {"New category|", "New category|"}},
    TCase{"renamed_in_other_letter_case_or_to_another_place", Two, {"Edit Work", "Edit Home"}, {"WORK", "Zoo"}, true,
          {{"WORK", 1}, {"Zoo", 3}}, "Zoo", {"Rename category|Work", "Rename category|Home"}},
    TCase{"another_items_name_or_a_blank_one_is_refused", Two, {"Edit Work"}, {" hOME ", "   ", QString()}, false, Two,
          "Work", {"Rename category|Work", "A category with this name already exists.", "Rename category| hOME ",
                   "A value is required here.", "Rename category|"}},
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

} // namespace
