#include "platform/QtMessageService.h"

#include "platform/EventSound.h"
#include "platform/GuiApplication.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Error:
        return QMessageBox::Critical;
    case TMessageIcon::Warning:
        return QMessageBox::Warning;
    case TMessageIcon::Information:
        return QMessageBox::Information;
    case TMessageIcon::Question:
        return QMessageBox::Question;
    case TMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(TMessageButtons buttons)
{
    switch (buttons) {
    case TMessageButtons::Ok:
        return QMessageBox::Ok;
    case TMessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case TMessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case TMessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case TMessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case TMessageButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

TMessageResult FromQtButton(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return TMessageResult::Ok;
    case QMessageBox::Cancel:
        return TMessageResult::Cancel;
    case QMessageBox::Yes:
        return TMessageResult::Yes;
    case QMessageBox::No:
        return TMessageResult::No;
    case QMessageBox::Retry:
        return TMessageResult::Retry;
    case QMessageBox::Abort:
        return TMessageResult::Abort;
    case QMessageBox::Ignore:
        return TMessageResult::Ignore;
    default:
        return TMessageResult::None;
    }
}

// A busy cursor must not hide that the program waits for an answer.
class TArrowCursorScope {
public:
    TArrowCursorScope() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~TArrowCursorScope() { QGuiApplication::restoreOverrideCursor(); }
    TArrowCursorScope(const TArrowCursorScope&) = delete;
    TArrowCursorScope& operator=(const TArrowCursorScope&) = delete;
};

} // namespace

TMessageResult TQtMessageService::Show(const TMessageRequest& request)
{
    EnsureGuiApplication();
    TArrowCursorScope arrow;
    if (request.EventSound)
        PlayEventSound(EventSoundId(request.Icon));
    const QString caption = request.Caption.isEmpty() ? DefaultMessageCaption(request.Icon) : request.Caption;
    QMessageBox box(ToQtIcon(request.Icon), caption, request.Text, ToQtButtons(request.Buttons),
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    return FromQtButton(box.exec());
}
