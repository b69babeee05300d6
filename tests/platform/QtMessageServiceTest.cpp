#include "platform/EventSound.h"
#include "platform/QtMessageService.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>


#include <functional>

namespace {

// Runs check on the modal box once it shows, then presses the button of that role.
void AnswerNextBox(std::function<void(QMessageBox&)> check, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [check = std::move(check), button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        check(*box);
        box->button(button)->click();
    });
}

TEST(QtMessageServiceTest, TheBoxShowsTheRequestAndReportsTheButtonPressed)
{
    TQtMessageService service;
    AnswerNextBox(
        [](QMessageBox& box) {
            EXPECT_EQ(box.text(), QStringLiteral("/x.vkd is not a valid file."));
            EXPECT_EQ(box.icon(), QMessageBox::Critical);
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Error"));
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        },
        QMessageBox::Ok);
    EXPECT_EQ(service.Show({"/x.vkd is not a valid file.", "", TMessageIcon::Error, TMessageButtons::Ok, true}),
              TMessageResult::Ok);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    AnswerNextBox(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Vemora"));
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        },
        QMessageBox::No);
    EXPECT_EQ(service.Show({"Save?", "Vemora", TMessageIcon::Question, TMessageButtons::YesNoCancel}),
              TMessageResult::No);
}

TEST(QtMessageServiceTest, ABoxThatSoundsPlaysTheEventSoundOfItsIconButTheConsoleNever)
{
    QStringList heard;
    const TEventSoundPlayer previous = SetEventSoundPlayer([&](const QString& id) { heard << id; });
    const std::pair<TMessageIcon, const char*> cases[] = {
        {TMessageIcon::Error, "dialog-error"},       {TMessageIcon::Question, "dialog-question"},
        {TMessageIcon::Warning, "dialog-warning"},   {TMessageIcon::Information, "dialog-information"},
        {TMessageIcon::None, "bell"},
    };
    TQtMessageService service;
    for (const auto& [icon, id] : cases) {
        for (const bool sounds : {false, true}) {
            heard.clear();
            AnswerNextBox([](QMessageBox&) {}, QMessageBox::Ok);
            service.Show({"", "", icon, TMessageButtons::Ok, sounds});
            EXPECT_EQ(heard, sounds ? QStringList{QString::fromLatin1(id)} : QStringList()) << id;
        }
    }
    heard.clear();
    TConsoleMessageService().Show({"", "", TMessageIcon::Error, TMessageButtons::Ok, true});
    EXPECT_TRUE(heard.isEmpty());
    SetEventSoundPlayer(previous);
}

} // namespace
