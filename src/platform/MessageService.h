#pragma once

#include <QString>

#include <functional>
#include <memory>

// Every message dialog and message box of the program goes through one message service, so
// that the program can print them when there is no display and tests can answer them.

enum class TMessageIcon { None, Error, Warning, Information, Question };
enum class TMessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class TMessageResult { None, Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct TMessageRequest {
    QString Text;
    QString Caption; // empty: the toolkit's default caption for the icon
    TMessageIcon Icon = TMessageIcon::None;
    TMessageButtons Buttons = TMessageButtons::Ok;
    bool EventSound = false; // the desktop's event sound of the icon, as the platform's boxes give
};

class TMessageService {
public:
    virtual ~TMessageService() = default;
    virtual TMessageResult Show(const TMessageRequest& request) = 0;
};

// Prints each message to standard output and answers with the first button.
class TConsoleMessageService final : public TMessageService {
public:
    TMessageResult Show(const TMessageRequest& request) override;
};

// The service in use; a console service until another one is installed.
TMessageService& MessageService();
// Installs a service and returns the previous one.
std::unique_ptr<TMessageService> SetMessageService(std::unique_ptr<TMessageService> service);

// A message box given by style flags as the alerts store them: the low four bits choose the
// buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel),
// the next four the icon (0x10 error, 0x20 question, 0x30 warning, 0x40 information).
// Values without a meaning give one OK button or no icon.
TMessageRequest MessageBoxRequest(const QString& text, const QString& caption, quint32 style);

TMessageResult FirstButtonResult(TMessageButtons buttons);
// The caption of a box that brings none, by its icon.
QString DefaultMessageCaption(TMessageIcon icon);
// The program gives those captions the words of its language; empty: English.
using TCaptionSource = std::function<QString(TMessageIcon)>;
void SetDefaultCaptions(TCaptionSource captions);

// Whether a display is available to show windows on.
bool HasDisplay();
