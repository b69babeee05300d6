#include "support/LanguageChoices.h"

#include "support/NLS.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <numeric>

namespace {

constexpr qsizetype MaxCheckMessage = 100;

// Language files: prefix, two characters, ".nls"; file names compare case-sensitively here.
QFileInfoList LanguageFiles(const QString& directory, const QString& prefix)
{
    QDir folder(directory);
    folder.setNameFilters({prefix + QStringLiteral("??.nls")});
    folder.setFilter(QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    folder.setSorting(QDir::Name);
    return folder.entryInfoList();
}

QString FullName(const QString& name, const QString& directory)
{
    return QDir::isRelativePath(name) ? QDir(directory).filePath(name) : name;
}

// A list of names as one line: separated by commas, a name with a blank, comma or quote in
// double quotes.
QString CommaText(const QStringList& names)
{
    QStringList quoted;
    for (QString name : names) {
        if (name.contains(u' ') || name.contains(u',') || name.contains(u'"'))
            name = u'"' + name.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        quoted.append(name);
    }
    return quoted.join(u',');
}

} // namespace

QString LanguageSearchDirectory(const QString& directory)
{
    return directory.isEmpty() ? ShippedFilesDirectory() : directory;
}

std::vector<TLanguageChoice> ListLanguageChoices(const QString& directory, const QString& prefix)
{
    std::vector<TLanguageChoice> choices;
    const QString countryPrefix = TNLSFileNames[nlsCountryPrefix];
    for (const QFileInfo& file : LanguageFiles(directory, prefix)) {
        QString language;
        QString countries;
        if (!ReadKeyFromFile(file.filePath(), QStringLiteral("LANGUAGE"), language) ||
            !ReadKeyFromFile(file.filePath(), QStringLiteral("COUNTRIES"), countries))
            continue;
        // A blank after a comma stays part of the code, so such a code finds no country file.
        const QStringList codes = countries.toUpper().split(u',');
        for (auto code = codes.rbegin(); code != codes.rend(); ++code) {
            const QString countryFile = QDir(directory).filePath(countryPrefix + *code + QStringLiteral(".nls"));
            QString country;
            if (!QFileInfo(countryFile).isFile() || !ReadKeyFromFile(countryFile, QStringLiteral("COUNTRY"), country))
                continue;
            choices.push_back({language + QStringLiteral(" (") + country + u')', countryFile, file.filePath()});
        }
    }
    return choices;
}

std::vector<int> ReadingOrder(const std::vector<TLanguageChoice>& choices)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<int> order(choices.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return collator.compare(choices[static_cast<std::size_t>(a)].DisplayText,
                                choices[static_cast<std::size_t>(b)].DisplayText) < 0;
    });
    return order;
}

int FindLanguageChoice(const std::vector<TLanguageChoice>& choices, const TLanguagePair& pair,
                       const QString& directory)
{
    const QString country = FullName(pair[nlsCountryPrefix], directory);
    const QString language = FullName(pair[nlsLanguagePrefix], directory);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].CountryFile.compare(country, Qt::CaseInsensitive) == 0 &&
            choices[i].LanguageFile.compare(language, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

TLanguageCheck CheckLanguageDirectory(const QString& directory, const QString& prefix)
{
    if (directory.isEmpty())
        return {};
    QStringList languages;
    for (const QFileInfo& file : LanguageFiles(directory, prefix)) {
        QString language;
        if (ReadKeyFromFile(file.filePath(), QStringLiteral("LANGUAGE"), language) && !language.isEmpty())
            languages.append(language);
    }
    if (languages.isEmpty())
        return {FirstCharUpper(LanguageText(0x6679002D, QStringLiteral("no languages found")), QStringLiteral(".")), false};
    QString message = FirstCharUpper(LanguageText(0x7D8C3B71, QStringLiteral("Languages")), QStringLiteral(": ")) +
                      CommaText(languages);
    if (message.size() > MaxCheckMessage)
        message = message.left(MaxCheckMessage) + QStringLiteral("...");
    return {message, true};
}
