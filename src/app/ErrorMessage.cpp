#include "app/ErrorMessage.h"

#include "platform/MessageService.h"

void ShowErrorMessage(const QString& text)
{
    TMessageRequest request;
    request.Text = text;
    request.Icon = TMessageIcon::Error;
    request.Buttons = TMessageButtons::Ok;
    request.Beep = true;
    MessageService().Show(request);
}
