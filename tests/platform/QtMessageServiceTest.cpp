#include "platform/EventSound.h"
#include "platform/QtMessageService.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

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

TEST(QtMessageServiceTest, AnErrorShowsTextIconAndOneButton)
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
    TMessageRequest request;
    request.Text = QStringLiteral("/x.vkd is not a valid file.");
    request.Icon = TMessageIcon::Error;
    request.EventSound = true;
    EXPECT_EQ(service.Show(request), TMessageResult::Ok);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtMessageServiceTest, AQuestionReportsTheButtonPressed)
{
    TQtMessageService service;
    AnswerNextBox(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Vemora"));
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        },
        QMessageBox::No);
    TMessageRequest request;
    request.Text = QStringLiteral("Save?");
    request.Caption = QStringLiteral("Vemora");
    request.Icon = TMessageIcon::Question;
    request.Buttons = TMessageButtons::YesNoCancel;
    EXPECT_EQ(service.Show(request), TMessageResult::No);
}

// Listens for the event sounds asked for while it lives.
class TSoundsHeard {
public:
    TSoundsHeard()
        : m_Previous(SetEventSoundPlayer([this](const QString& id) { Ids.append(id); }))
    {
    }
    ~TSoundsHeard() { SetEventSoundPlayer(m_Previous); }
    TSoundsHeard(const TSoundsHeard&) = delete;
    TSoundsHeard& operator=(const TSoundsHeard&) = delete;
    QStringList Ids;

private:
    TEventSoundPlayer m_Previous;
};

TEST(QtMessageServiceTest, ABoxThatSoundsPlaysTheEventSoundOfItsIcon)
{
    const std::pair<TMessageIcon, const char*> cases[] = {
        {TMessageIcon::Error, "dialog-error"},       {TMessageIcon::Question, "dialog-question"},
        {TMessageIcon::Warning, "dialog-warning"},   {TMessageIcon::Information, "dialog-information"},
        {TMessageIcon::None, "bell"},
    };
    TQtMessageService service;
    for (const auto& [icon, id] : cases) {
        for (const bool sounds : {false, true}) {
            TSoundsHeard heard;
            AnswerNextBox([](QMessageBox&) {}, QMessageBox::Ok);
            TMessageRequest request;
            request.Icon = icon;
            request.EventSound = sounds;
            service.Show(request);
            EXPECT_EQ(heard.Ids, sounds ? QStringList{QString::fromLatin1(id)} : QStringList()) << id;
        }
    }
}

TEST(QtMessageServiceTest, TheConsolePlaysNoSound)
{
    TSoundsHeard heard;
    TMessageRequest request;
    request.Icon = TMessageIcon::Error;
    request.EventSound = true;
    TConsoleMessageService().Show(request);
    EXPECT_TRUE(heard.Ids.isEmpty());
}

} // namespace
