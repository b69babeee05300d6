#include "app/ErrorMessage.h"

#include "support/NLS.h"

void ShowErrorMessage(const QString& text)
{
    TMessageRequest request;
    request.Text = text;
    request.Icon = TMessageIcon::Error;
    request.Buttons = TMessageButtons::Ok;
    request.EventSound = true;
    MessageService().Show(request);
}

QString LanguageCaption(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Error:
        return LanguageText(0x61C0D5A7);
    case TMessageIcon::Warning:
        return LanguageText(0x61C0D5A8);
    case TMessageIcon::Information:
        return LanguageText(0x61C0D5A9);
    case TMessageIcon::Question:
        return LanguageText(0x61C0D5AA);
    case TMessageIcon::None:
        break;
    }
    return QStringLiteral("Vemora");
}
