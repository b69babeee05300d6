#pragma once

#include <QString>

// Qt's own words (key names in menus, the buttons of the file, font and message dialogs) in
// the language of a language file "Vemora_XX.nls": Qt's translation for XX from the platform's
// Qt translations, installed into the running application. Where there is none, or no
// application runs yet, Qt's own English stays. Returns whether a translation is installed.
bool InstallQtTranslation(const QString& languageFile);
