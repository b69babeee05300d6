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

} // namespace
