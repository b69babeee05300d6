#include "platform/MessageService.h"

#include <cstdio>
#include <iterator>
#include <cstdlib>

namespace {

std::unique_ptr<TMessageService>& CurrentService()
{
    static std::unique_ptr<TMessageService> service = std::make_unique<TConsoleMessageService>();
    return service;
}

bool EnvironmentSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

TMessageRequest MessageBoxRequest(const QString& text, const QString& caption, quint32 style)
{
    static constexpr TMessageButtons ButtonSets[] = {TMessageButtons::Ok,          TMessageButtons::OkCancel,
                                                     TMessageButtons::AbortRetryIgnore, TMessageButtons::YesNoCancel,
                                                     TMessageButtons::YesNo,       TMessageButtons::RetryCancel};
    static constexpr TMessageIcon Icons[] = {TMessageIcon::None, TMessageIcon::Error, TMessageIcon::Question,
                                             TMessageIcon::Warning, TMessageIcon::Information};
    TMessageRequest request;
    request.Text = text;
    request.Caption = caption;
    const quint32 buttons = style & 0x0f;
    const quint32 icon = (style >> 4) & 0x0f;
    request.Buttons = buttons < std::size(ButtonSets) ? ButtonSets[buttons] : TMessageButtons::Ok;
    request.Icon = icon < std::size(Icons) ? Icons[icon] : TMessageIcon::None;
    return request;
}

TMessageResult FirstButtonResult(TMessageButtons buttons)
{
    switch (buttons) {
    case TMessageButtons::Ok:
    case TMessageButtons::OkCancel:
        return TMessageResult::Ok;
    case TMessageButtons::YesNo:
    case TMessageButtons::YesNoCancel:
        return TMessageResult::Yes;
    case TMessageButtons::RetryCancel:
        return TMessageResult::Retry;
    case TMessageButtons::AbortRetryIgnore:
        return TMessageResult::Abort;
    }
    return TMessageResult::None;
}

namespace {

QString EnglishCaption(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Error:
        return QStringLiteral("Error");
    case TMessageIcon::Warning:
        return QStringLiteral("Warning");
    case TMessageIcon::Information:
        return QStringLiteral("Information");
    case TMessageIcon::Question:
        return QStringLiteral("Confirm");
    case TMessageIcon::None:
        break;
    }
    return QStringLiteral("Vemora");
}

TCaptionSource& CaptionSource()
{
    static TCaptionSource source = EnglishCaption;
    return source;
}

} // namespace

QString DefaultMessageCaption(TMessageIcon icon)
{
    return CaptionSource()(icon);
}

void SetDefaultCaptions(TCaptionSource captions)
{
    CaptionSource() = captions ? std::move(captions) : TCaptionSource(EnglishCaption);
}

TMessageResult TConsoleMessageService::Show(const TMessageRequest& request)
{
    const QString caption = request.Caption.isEmpty() ? DefaultMessageCaption(request.Icon) : request.Caption;
    const QByteArray text = (caption + QStringLiteral(": ") + request.Text + u'\n').toLocal8Bit();
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
    return FirstButtonResult(request.Buttons);
}

TMessageService& MessageService()
{
    return *CurrentService();
}

std::unique_ptr<TMessageService> SetMessageService(std::unique_ptr<TMessageService> service)
{
    if (!service)
        service = std::make_unique<TConsoleMessageService>();
    CurrentService().swap(service);
    return service;
}

bool HasDisplay()
{
    return EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY") || EnvironmentSet("QT_QPA_PLATFORM");
}
