#pragma once

#include <QString>

// The error message of the program: error icon, error beep, one OK button.
void ShowErrorMessage(const QString& text);
