#include "ui/FormCategories.h"

#include "model/EntryFactory.h"
#include "model/VemoraEntries.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

namespace {

const QString Taken = QStringLiteral("A category with this name already exists.");
const QString Empty = QStringLiteral("A value is required here.");
const QString Cancel; // a null answer cancels the input

class FormCategoriesTest : public testing::Test {
protected:
    TScriptedMessages Messages;
    TVemoraEntries Entries;
    TFormCategories Form;
    QStringList Asked; // title and offered name of every input shown
    QStringList Shown; // the messages
    int Pending = 0; // answers waiting for their input
    QTimer Guard; // turns away the inputs nobody expects

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        Messages.Service().OnShow = [this](const TMessageRequest& message) { Shown << message.Text; };
        QObject::connect(&Guard, &QTimer::timeout, [this] {
            if (auto* input = qobject_cast<QInputDialog*>(QApplication::activeModalWidget()); input && !Pending) {
                ADD_FAILURE() << "a name input nobody expects";
                input->reject();
            }
        });
        Guard.start(20);
    }

    QListWidget* List() const { return Child<QListWidget>(Form, QStringLiteral("ListBoxCategories")); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(Form, QString::fromLatin1(name)); }

    void Select(const QStringList& names) const
    {
        List()->clearSelection();
        for (const QString& name : names)
            for (QListWidgetItem* item : List()->findItems(name, Qt::MatchExactly))
                item->setSelected(true);
    }

    // As a user does it: a click, then the second press.
    void DoubleClick(const QString& name) const
    {
        const QPoint point = List()->visualItemRect(List()->findItems(name, Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, point);
    }

    // Answers the coming name inputs one after the other.
    void Answer(QStringList answers)
    {
        ++Pending;
        WhenModalOpens([this, answers](QWidget& modal) mutable {
            --Pending;
            auto* input = qobject_cast<QInputDialog*>(&modal);
            ASSERT_TRUE(input && input->objectName() == QStringLiteral("InputCategoryName"));
            Asked << input->windowTitle() + QStringLiteral("|") + input->textValue();
            EXPECT_EQ(input->labelText(), QStringLiteral("Category name: "));
            const QString answer = answers.takeFirst();
            if (!answers.isEmpty())
                Answer(answers);
            if (answer.isNull())
                return input->reject();
            input->findChild<QLineEdit*>()->setText(answer);
            Click(input->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        });
    }

    // Runs the dialog on the table; during it, acts and then closes it with that button, if any.
    bool Run(const TCategoryStrings& table, std::function<void()> during, const char* close = "ButtonOk",
             bool readOnly = false)
    {
        Entries.Categories().Assign(table);
        WhenModalOpens([=, this](QWidget&) {
            during();
            if (close)
                Click(Button(close));
        });
        return Form.Execute(Entries, readOnly);
    }
};

struct TNamingCase {
    const char* Name;
    QString Renamed; // empty: a new category
    QStringList Answers, Asked, Messages;
    TCategoryStrings Result;
    QString Selected;
};
void PrintTo(const TNamingCase& naming, std::ostream* out) { *out << naming.Name; }

class NamingTest : public FormCategoriesTest, public testing::WithParamInterface<TNamingCase> {};

TEST_P(NamingTest, NamesAreTrimmedAndUniqueIgnoringLetterCase)
{
    const TNamingCase& param = GetParam();
    Run({{"Work", 1}, {"Home", 3}}, [&] {
        Answer(param.Answers);
        Select({param.Renamed});
        Click(Button(param.Renamed.isEmpty() ? "ButtonNew" : "ButtonEdit"));
        EXPECT_EQ(Form.Categories(), param.Result);
        EXPECT_EQ(Asked, param.Asked);
        ASSERT_EQ(List()->selectedItems().size(), 1);
        EXPECT_EQ(List()->selectedItems()[0]->text(), param.Selected);
    }, "ButtonCancel");
    EXPECT_EQ(Shown, param.Messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NamingTest,
    testing::Values(
        TNamingCase{"new_takes_the_smallest_free_number", {}, {" \tLeisure "}, {"New category|"}, {},
                    {{"Home", 3}, {"Leisure", 2}, {"Work", 1}}, "Leisure"},
        TNamingCase{"renaming_in_other_letter_case_only", "Work", {"WORK"}, {"Rename category|Work"}, {},
                    {{"Home", 3}, {"WORK", 1}}, "WORK"},
        TNamingCase{"another_items_name_is_refused", "Work", {" hOME ", Cancel},
                    {"Rename category|Work", "Rename category| hOME "}, {Taken}, {{"Home", 3}, {"Work", 1}}, "Work"},
        TNamingCase{"blank_name_is_refused", {}, {"   ", "a"}, {"New category|", "New category|"}, {Empty},
                    {{"a", 2}, {"Home", 3}, {"Work", 1}}, "a"},
        TNamingCase{"renamed_moves_to_its_sorted_place", "Home", {"Zoo"}, {"Rename category|Home"}, {},
                    {{"Work", 1}, {"Zoo", 3}}, "Zoo"}),
    [](const testing::TestParamInfo<TNamingCase>& info) { return std::string(info.param.Name); });

TEST_F(FormCategoriesTest, OkReportsOnlyARealChange)
{
    EXPECT_FALSE(Run({{"Work", 1}}, [this] {
        Answer({"Job"});
        DoubleClick(QStringLiteral("Work"));
        Answer({"Work"});
        DoubleClick(QStringLiteral("Job"));
    }));
    EXPECT_EQ(Asked.size(), 2);
    EXPECT_TRUE(Run({{"b", 1}, {"d", 3}}, [this] {
        Answer({"c", "e"});
        Click(Button("ButtonNew"));
        Click(Button("ButtonNew"));
    }));
    EXPECT_EQ(Form.Categories(), (TCategoryStrings{{"b", 1}, {"c", 2}, {"d", 3}, {"e", 4}}));
}

TEST_F(FormCategoriesTest, UsedCategoriesAreNotDeleted)
{
    auto entry = CreateEntry(ekOnce);
    entry->SetCategory(3);
    Entries.AddEntry(std::move(entry));
    Run({{"Work", 1}, {"Home", 3}, {"Sport", 4}}, [this] {
        Select({"Work", "Home"});
        Click(Button("ButtonDelete"));
        EXPECT_EQ(Shown, QStringList{"At least one of the selected categories is still used by entries."});
        EXPECT_EQ(List()->count(), 3);
        Select({"Work", "Sport"});
        Click(Button("ButtonDelete"));
        EXPECT_EQ(Form.Categories(), (TCategoryStrings{{"Home", 3}}));
    });
}

TEST_F(FormCategoriesTest, ReadOnlyAllowsOnlyLookingAndCancel)
{
    EXPECT_FALSE(Run({{"Work", 1}}, [this] {
        EXPECT_EQ(Form.windowTitle(), QStringLiteral("Categories (read-only)"));
        Select({"Work"});
        for (const char* name : {"ButtonNew", "ButtonEdit", "ButtonDelete", "ButtonOk"})
            EXPECT_FALSE(Button(name)->isEnabled()) << name;
        EXPECT_TRUE(Button("ButtonCancel")->isEnabled() && List()->isEnabled());
        DoubleClick(QStringLiteral("Work")); // edits nothing
        Answer({"Extra"});
        QTest::keyClick(List(), Qt::Key_Insert);
        EXPECT_EQ(Form.Categories().size(), 2);
        Form.accept(); // a read-only table is not handed back, however the dialog closes
    }, nullptr, true));
    EXPECT_TRUE(Run({{"Work", 1}}, [this] {
        EXPECT_EQ(Form.windowTitle(), QStringLiteral("Categories"));
        Answer({"Extra"});
        QTest::keyClick(List(), Qt::Key_Insert);
    }));
}

TEST_F(FormCategoriesTest, AFullTableTakesNoNewCategory)
{
    TCategoryStrings full;
    for (int number = 1; number <= 255; ++number)
        full.append({QString::number(number), static_cast<quint8>(number)});
    EXPECT_FALSE(Run(full, [this] {
        Click(Button("ButtonNew"));
        EXPECT_EQ(Shown, QStringList{"No more categories can be added: all 255 numbers are in use."});
        EXPECT_EQ(List()->count(), 255);
    }));
}

TEST_F(FormCategoriesTest, PicturesOfTheDialog)
{
    EXPECT_EQ(&FormCategories(), &FormCategories());
    for (const QString& language : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        UseLanguage(language);
        TFormCategories form; // made with the language's texts
        Entries.Categories().Assign({{"Work", 1}, {"Family", 2}, {"Birthdays", 3}});
        WhenModalOpens([&](QWidget&) {
            Child<QListWidget>(form, QStringLiteral("ListBoxCategories"))->item(1)->setSelected(true);
            EXPECT_FALSE(GrabToPng(form, QStringLiteral("FormCategories-") + language).isEmpty());
            form.reject();
        });
        form.Execute(Entries, false);
    }
}

} // namespace
