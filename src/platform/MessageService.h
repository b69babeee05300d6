#pragma once

#include <QString>

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
    bool Beep = false;
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

TMessageResult FirstButtonResult(TMessageButtons buttons);
QString DefaultMessageCaption(TMessageIcon icon);

// Whether a display is available to show windows on.
bool HasDisplay();
