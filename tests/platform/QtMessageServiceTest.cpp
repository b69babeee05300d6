#include "platform/EventSound.h"
#include "platform/QtMessageService.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

using B = QMessageBox;
using TBoxLook = std::tuple<QString, QString, B::Icon, B::StandardButtons, Qt::CursorShape>;

TEST(QtMessageServiceTest, TheBoxShowsTheRequestSoundsForItsIconAndReportsTheButtonPressed)
{
    QStringList heard;
    const TEventSoundPlayer previous = SetEventSoundPlayer([&](const QString& id) { heard << id; });
    using I = TMessageIcon; using Bs = TMessageButtons; using R = TMessageResult;
    // Caption: the box's title; none given for the error: it takes the default title.
    const struct { const char* Caption; I Icon; Bs Buttons; B::Icon QtIcon; B::StandardButtons QtButtons;
        B::StandardButton Pressed; R Result; } cases[] = {
        {"Error", I::Error, Bs::Ok, B::Critical, B::Ok, B::Ok, R::Ok},
        {"C", I::Question, Bs::YesNoCancel, B::Question, B::Yes | B::No | B::Cancel, B::No, R::No},
        {"C", I::Warning, Bs::OkCancel, B::Warning, B::Ok | B::Cancel, B::Cancel, R::Cancel},
        {"C", I::Information, Bs::RetryCancel, B::Information, B::Retry | B::Cancel, B::Retry, R::Retry},
        {"C", I::None, Bs::AbortRetryIgnore, B::NoIcon, B::Abort | B::Retry | B::Ignore, B::Ignore, R::Ignore},
    };
    TQtMessageService service;
    for (const bool sounds : {false, true}) {
        for (const auto& c : cases) {
            QTimer::singleShot(0, [&c] {
                auto* box = qobject_cast<B*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                ASSERT_NE(QApplication::overrideCursor(), nullptr);
                EXPECT_EQ(TBoxLook(box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                                   QApplication::overrideCursor()->shape()),
                          TBoxLook(c.Caption, "T", c.QtIcon, c.QtButtons, Qt::ArrowCursor));
                box->button(c.Pressed)->click();
            });
            const QString caption = c.Icon == I::Error ? "" : c.Caption;
            EXPECT_EQ(service.Show({"T", caption, c.Icon, c.Buttons, sounds}), c.Result);
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        }
    }
    EXPECT_EQ(heard, QStringList({"dialog-error", "dialog-question", "dialog-warning", "dialog-information", "bell"}));
    TConsoleMessageService().Show({"", "", I::Error, Bs::Ok, true});
    EXPECT_EQ(heard.size(), 5) << "the console never sounds";
    SetEventSoundPlayer(previous);
}

TEST(MessageServiceTest, TheConsoleAnswersWithTheFirstButtonUnderTheDefaultCaption)
{
    using I = TMessageIcon; using Bs = TMessageButtons; using R = TMessageResult;
    const std::tuple<I, const char*, Bs, R> cases[] = {
        {I::Error, "Error", Bs::Ok, R::Ok},          {I::Warning, "Warning", Bs::OkCancel, R::Ok},
        {I::Information, "Information", Bs::YesNo, R::Yes}, {I::Question, "Confirm", Bs::YesNoCancel, R::Yes},
        {I::None, "Vemora", Bs::RetryCancel, R::Retry}};
    for (const auto& [icon, caption, buttons, result] : cases) {
        EXPECT_EQ(DefaultMessageCaption(icon), QString::fromLatin1(caption));
        EXPECT_EQ(TConsoleMessageService().Show({"", "", icon, buttons, false}), result) << caption;
    }
    EXPECT_EQ(FirstButtonResult(Bs::AbortRetryIgnore), R::Abort);
}

// The desktop's player reads the desktop's sound settings and plays through whatever sound
// system there is, or none: with or without one it must neither abort nor leak.
TEST(EventSoundTest, TheDesktopsPlayerRunsWithOrWithoutASoundSystem)
{
    SetEventSoundPlayer(nullptr);
    for (const char* id : {"dialog-warning", "bell"})
        PlayEventSound(QString::fromLatin1(id));
}

} // namespace
