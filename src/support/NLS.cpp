#include "support/NLS.h"

#include "platform/SystemMemory.h"
#include "support/DateFormat.h"
#include "support/QtTranslation.h"
#include "support/NLSTextTable.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace {

enum TKeyword {
    kwAM,
    kwPM,
    kwShortDateFormat,
    kwShortTimeFormat,
    kwShortDayNames,
    kwLongDayNames,
    kwShortMonthNames,
    kwLongMonthNames,
    kwCurrencyString,
    kwDecimalSeparator,
    kwThousandSeparator,
    kwFirstDayOfWeek,
};

constexpr std::array<QLatin1StringView, 12> Keywords = {
    QLatin1StringView("AM"),
    QLatin1StringView("PM"),
    QLatin1StringView("SHORTDATEFORMAT"),
    QLatin1StringView("SHORTTIMEFORMAT"),
    QLatin1StringView("SHORTDAYNAMES"),
    QLatin1StringView("LONGDAYNAMES"),
    QLatin1StringView("SHORTMONTHNAMES"),
    QLatin1StringView("LONGMONTHNAMES"),
    QLatin1StringView("CURRENCYSTRING"),
    QLatin1StringView("DECIMALSEPARATOR"),
    QLatin1StringView("THOUSANDSEPARATOR"),
    QLatin1StringView("FIRSTDAYOFWEEK"),
};
// Keys are compared with the keywords upper-cased and cut to this length.
constexpr qsizetype KeywordLength = 17;
constexpr int MaxMemoryLoadForTexts = 99;

struct TLanguageState {
    TNLSTextTable Texts;
    // A list stays unset until a file names it; the locale's names serve until then.
    bool Loaded = false;
    bool TextsInMemory = false;
    QString LanguageFile; // read again for each lookup when texts are not in memory
};

TLanguageState& State()
{
    static TLanguageState state;
    return state;
}

std::function<int()>& MemoryLoadProvider()
{
    static std::function<int()> provider = MemoryLoadPercent;
    return provider;
}

std::optional<TKeyword> FindKeyword(const QString& key)
{
    const QString wanted = key.toUpper().left(KeywordLength);
    for (std::size_t index = 0; index < Keywords.size(); ++index)
        if (wanted == Keywords[index])
            return static_cast<TKeyword>(index);
    return std::nullopt;
}

QChar FirstNonLetter(const QString& format)
{
    for (const QChar ch : format)
        if (!ch.isLetter())
            return ch;
    return {};
}

template <std::size_t Size>
void ApplyNameList(const QString& value, std::array<QString, Size>& names)
{
    QStringList items = value.split(u',');
    if (items.size() > static_cast<qsizetype>(Size))
        items.resize(Size);
    for (QString& item : items)
        item = item.trimmed();
    for (qsizetype index = 0; index < items.size(); ++index)
        names[static_cast<std::size_t>(index)] = items[index];
}

void ApplyKeyword(TKeyword keyword, const QString& value)
{
    TFormatSettings& settings = FormatSettings();
    switch (keyword) {
    case kwShortDateFormat:
        settings.ShortDateFormat = value;
        if (const QChar separator = FirstNonLetter(value); !separator.isNull())
            settings.DateSeparator = separator;
        break;
    case kwShortTimeFormat:
        settings.ShortTimeFormat = value;
        if (const QChar separator = FirstNonLetter(value); !separator.isNull())
            settings.TimeSeparator = separator;
        break;
    case kwShortDayNames: ApplyNameList(value, settings.ShortDayNames); break;
    case kwLongDayNames: ApplyNameList(value, settings.LongDayNames); break;
    case kwShortMonthNames: ApplyNameList(value, settings.ShortMonthNames); break;
    case kwLongMonthNames: ApplyNameList(value, settings.LongMonthNames); break;
    case kwDecimalSeparator:
        if (value.size() == 1)
            settings.DecimalSeparator = value[0];
        break;
    case kwThousandSeparator:
        if (value.size() == 1)
            settings.ThousandSeparator = value[0];
        break;
    case kwFirstDayOfWeek:
        if (const int day = value.toInt(); day >= 1 && day <= 7)
            settings.FirstDayOfWeek = day;
        break;
    case kwAM:
    case kwPM:
    case kwCurrencyString:
        break;
    }
}

bool ApplyLine(const TNLSLine& line)
{
    TLanguageState& state = State();
    if (const std::optional<quint32> id = ParseTextId(line.Key)) {
        if (state.TextsInMemory)
            state.Texts.Add(*id, DecodeNLSValue(line.Value));
    } else if (const std::optional<TKeyword> keyword = FindKeyword(line.Key)) {
        ApplyKeyword(*keyword, DecodeNLSValue(line.Value));
    }
    return true;
}

// Reading the file for one lookup decodes the entities but not the escapes.
std::optional<QString> ReadTextFromFile(const QString& fileName, quint32 id)
{
    std::optional<QString> text;
    ForEachNLSLine(fileName, [&](const TNLSLine& line) {
        if (ParseTextId(line.Key) != id)
            return true;
        text = DecodeEntities(line.Value);
        return false;
    });
    return text;
}

std::optional<QString> FindText(quint32 id)
{
    TLanguageState& state = State();
    if (state.TextsInMemory) {
        const QString* text = state.Texts.Find(id);
        return text ? std::optional<QString>(*text) : std::nullopt;
    }
    if (state.Loaded)
        return ReadTextFromFile(state.LanguageFile, id);
    return std::nullopt;
}

// The shipped texts, read once: they stand in for ids that a chosen file lacks.
const QString* FindBuiltInText(quint32 id)
{
    static TNLSTextTable table = [] {
        TNLSTextTable texts;
        ForEachNLSLine(BuiltInLanguageFile(), [&](const TNLSLine& line) {
            if (const std::optional<quint32> textId = ParseTextId(line.Key))
                texts.Add(*textId, DecodeNLSValue(line.Value));
            return true;
        });
        return texts;
    }();
    return table.Find(id);
}

QString DefaultName(int list, int index)
{
    const TFormatSettings& settings = FormatSettings();
    const auto pick = [index](const auto& names) {
        return index < static_cast<int>(names.size()) ? names[static_cast<std::size_t>(index)]
                                                       : QString();
    };
    switch (list) {
    case 0: return pick(settings.ShortDayNames);
    case 1: return pick(settings.LongDayNames);
    case 2: return pick(settings.ShortMonthNames);
    default: return pick(settings.LongMonthNames);
    }
}

} // namespace

QString& LanguageFilename()
{
    static QString name;
    return name;
}

QString& CountryFilename()
{
    static QString name;
    return name;
}

QString BuiltInLanguageFile()
{
    return QLocale::system().language() == QLocale::German ? QStringLiteral(":/lang/Vemora_DE.nls")
                                                           : QStringLiteral(":/lang/Vemora_EN.nls");
}

int LoadLanguage(const QString& countryFile, const QString& languageFile)
{
    TLanguageState& state = State();
    state = TLanguageState{};
    ResetFormatSettings(QLocale::system());
    const std::function<int()>& memoryLoad = MemoryLoadProvider();
    state.TextsInMemory = memoryLoad() <= MaxMemoryLoadForTexts;

    if (!countryFile.isEmpty())
        ForEachNLSLine(countryFile, ApplyLine);
    TIOResult result = ioSuccess;
    if (!languageFile.isEmpty()) {
        result = ForEachNLSLine(languageFile, ApplyLine);
        state.LanguageFile = ResolveNLSFileName(languageFile);
    }
    // The built-in texts also fill the gaps of a file that broke off with a read error.
    if (languageFile.isEmpty() || result != ioSuccess) {
        state.LanguageFile = BuiltInLanguageFile();
        ForEachNLSLine(state.LanguageFile, ApplyLine);
    }
    state.Loaded = true;
    InstallQtTranslation(state.LanguageFile);
    return result;
}

bool IsLanguageLoaded()
{
    return State().Loaded;
}

QString LanguageText(quint32 id, const QString& defaultText)
{
    if (std::optional<QString> text = FindText(id))
        return *text;
    if (!defaultText.isEmpty())
        return defaultText;
    if (const QString* builtIn = FindBuiltInText(id))
        return *builtIn;
    return QStringLiteral("String %1 not found")
        .arg(QString::number(id, 16).toUpper().rightJustified(8, u'0'));
}

QString GetNameListItem(int list, int index)
{
    // The format settings hold a file's names over the system's, so a short list ends in these.
    if (list < 0 || list > 3 || index < 0)
        return {};
    return DefaultName(list, index);
}

bool ReadKeyFromFile(const QString& fileName, const QString& key, QString& value)
{
    const QString wanted = key.toUpper();
    bool found = false;
    ForEachNLSLine(fileName, [&](const TNLSLine& line) {
        if (line.Key.toUpper() != wanted)
            return true;
        value = DecodeNLSValue(line.Value);
        found = true;
        return false;
    });
    return found;
}

QString FirstCharUpper(const QString& text, const QString& suffix)
{
    if (text.isEmpty())
        return text;
    return text[0].toUpper() + text.mid(1) + suffix;
}

QString EnsureEllipsis(const QString& text)
{
    const QString ellipsis = QStringLiteral("...");
    if (text.size() < 3 || text.endsWith(ellipsis))
        return text;
    return text + ellipsis;
}

void SetMemoryLoadProvider(std::function<int()> provider)
{
    MemoryLoadProvider() = provider ? std::move(provider) : std::function<int()>(MemoryLoadPercent);
}
