#pragma once

#include "platform/MessageService.h"

#include <QString>

// The error message of the program: error icon, error beep, one OK button.
void ShowErrorMessage(const QString& text);

// The captions of boxes without one, in the language loaded; "Vemora" without icon.
QString LanguageCaption(TMessageIcon icon);
