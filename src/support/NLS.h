#pragma once

#include "support/NLSFile.h"

#include <QString>

#include <array>
#include <functional>

// Language files ("Vemora_" + two characters + ".nls") hold the texts the program shows;
// country files ("State_" + country code + ".nls") hold date conventions and the names of
// weekdays and months. Both share one line syntax (NLSLine.h).

inline constexpr std::array<QLatin1StringView, 2> TNLSFileNames = {
    QLatin1StringView("State_"), QLatin1StringView("Vemora_")};
inline constexpr int nlsCountryPrefix = 0;
inline constexpr int nlsLanguagePrefix = 1;

// The process's pair of chosen file names, empty at start.
QString& LanguageFilename();
QString& CountryFilename();

// Drops the loaded texts, then reads the country file and the language file; the country
// file comes first, so its texts win. Returns the I/O result of the language file (TIOResult).
// When no language file is named, or it cannot be read, the built-in copy of the shipped
// language file supplies the texts; without a readable country file the date conventions
// stay those of the system locale.
int LoadLanguage(const QString& countryFile, const QString& languageFile);
bool IsLanguageLoaded();

// The resource path of the built-in language file: German on a German system, else English.
QString BuiltInLanguageFile();

// The loaded text of the id, else the default when it is not empty, else
// "String XXXXXXXX not found".
QString LanguageText(quint32 id, const QString& defaultText = QString());

// Name lists: 0 short and 1 long weekday names (index 0 = Sunday), 2 short and 3 long month
// names. Empty for an unknown list or index.
QString GetNameListItem(int list, int index);

// The decoded value of the first line whose key equals `key`, ignoring letter case.
bool ReadKeyFromFile(const QString& fileName, const QString& key, QString& value);

// Upper-cases the first character and appends the suffix; an empty text stays empty.
QString FirstCharUpper(const QString& text, const QString& suffix = QString());
// Appends "..." to a text of three or more characters that does not end with it.
QString EnsureEllipsis(const QString& text);

// Texts are read again from the file for every lookup while the memory load is above 99
// percent at loading time. Tests replace the source of the load; an empty function restores
// the system's.
void SetMemoryLoadProvider(std::function<int()> provider);
