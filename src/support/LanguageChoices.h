#pragma once

#include <QString>

#include <array>
#include <vector>

// A language and country pair as the program keeps it: element 0 the country file, element 1
// the language file (nlsCountryPrefix, nlsLanguagePrefix).
using TLanguagePair = std::array<QString, 2>;

// One line of the language dialog: a language file with one of the countries it names.
struct TLanguageChoice {
    QString DisplayText; // "Deutsch (Österreich)"
    QString CountryFile;
    QString LanguageFile;
};

// The folder whose files are offered: the given one, or the shipped files' folder when it is empty.
QString LanguageSearchDirectory(const QString& directory);

// Every pair the language files (prefix + two characters + ".nls") of the folder offer with
// the country files beside them, in the order found: a language file names its countries in
// COUNTRIES, and each country counts when its file has a COUNTRY value.
std::vector<TLanguageChoice> ListLanguageChoices(const QString& directory, const QString& prefix);

// The indexes of the choices in the order a person reads them in the user's language
// ("Österreich" between "Deutschland" and "Schweiz" in German), letter case aside.
std::vector<int> ReadingOrder(const std::vector<TLanguageChoice>& choices);

// The index of the choice of the pair, comparing names without regard to letter case and
// taking relative names relative to directory; -1 when there is none.
int FindLanguageChoice(const std::vector<TLanguageChoice>& choices, const TLanguagePair& pair,
                       const QString& directory);

// Whether a folder holds language files, with the text that says so.
struct TLanguageCheck {
    QString Message;
    bool Accepted = false;
};
TLanguageCheck CheckLanguageDirectory(const QString& directory, const QString& prefix);
