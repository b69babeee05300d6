#include "cli/VCardImport.h"

#include "cli/ImportTexts.h"
#include "cli/IsoDates.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryMonthRelated.h"
#include "platform/FormatText.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace {

struct TProperty {
    QString Name; // upper case, without its group
    QString Value;
};

struct TCardDate {
    std::optional<int> Year;
    unsigned Month = 0;
    unsigned Day = 0;
};

// A line that starts with a blank or a tab continues the one before.
QStringList UnfoldedLines(const QByteArray& text)
{
    QStringList lines;
    for (QString line : QString::fromUtf8(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if ((line.startsWith(u' ') || line.startsWith(u'\t')) && !lines.isEmpty())
            lines.last() += line.mid(1);
        else
            lines.append(line);
    }
    return lines;
}

// NAME;PARAMETERS:VALUE, where a quoted parameter value may hold a colon.
std::optional<TProperty> ParseProperty(const QString& line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted) {
            const QString name = line.left(i).section(u';', 0, 0).section(u'.', -1).trimmed().toUpper();
            return TProperty{name, line.mid(i + 1)};
        }
    }
    return std::nullopt;
}

QString Unescaped(const QString& value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            text += next == u'n' || next == u'N' ? QChar(u' ') : next;
        } else {
            text += value[i];
        }
    }
    return text.simplified();
}

// "1990-04-12", "19900412" (a time may follow), "--0412", "--04-12"; none for a year or a
// month alone, a text or no valid day.
std::optional<TCardDate> ParseCardDate(const QString& value)
{
    static const QRegularExpression withYear(QStringLiteral("^(\\d{4})-?(\\d{2})-?(\\d{2})(T.*)?$"));
    static const QRegularExpression withoutYear(QStringLiteral("^--(\\d{2})-?(\\d{2})$"));
    TCardDate date;
    if (const auto match = withYear.match(value.trimmed()); match.hasMatch()) {
        date.Year = match.captured(1).toInt();
        date.Month = match.captured(2).toUInt();
        date.Day = match.captured(3).toUInt();
        if (*date.Year < 1 || *date.Year > 9999 || !IsValidDate(*date.Year, date.Month, date.Day))
            return std::nullopt;
    } else if (const auto match = withoutYear.match(value.trimmed()); match.hasMatch()) {
        date.Month = match.captured(1).toUInt();
        date.Day = match.captured(2).toUInt();
        if (!IsValidDate(2000, date.Month, date.Day)) // a leap year has every day
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    return date;
}

// The first day from this year on that has the month and day: 29 February waits for a leap year.
qint32 StartWithoutYear(const TCardDate& date, qint32 today)
{
    int year = CivilFromDay(today).Year;
    while (!IsValidDate(year, date.Month, date.Day))
        ++year;
    return DayFromCivil(year, date.Month, date.Day);
}

class TCardImport {
public:
    TCardImport(TVemoraEntries& entries, const QString& category, qint32 today)
        : m_Entries(entries)
        , m_Today(today)
        , m_Category(ImportCategoryId(entries, category))
    {
    }

    void AddCard(const std::vector<TProperty>& card)
    {
        const QString name = NameOf(card);
        for (const TProperty& property : card) {
            if (property.Name == QLatin1String("BDAY"))
                AddDate(name, property.Value, 0x5D41A730, 0x5D41A731);
            else if (property.Name == QLatin1String("ANNIVERSARY") || property.Name == QLatin1String("X-ANNIVERSARY"))
                AddDate(name, property.Value, 0x5D41A732, 0x5D41A733);
        }
    }

    TImportReport Report() const { return m_Report; }

private:
    static QString NameOf(const std::vector<TProperty>& card)
    {
        QString structured;
        for (const TProperty& property : card) {
            if (property.Name == QLatin1String("FN") && !Unescaped(property.Value).isEmpty())
                return Unescaped(property.Value);
            if (property.Name == QLatin1String("N")) {
                const QStringList parts = property.Value.split(u';');
                structured = Unescaped(parts.value(1) + u' ' + parts.value(0));
            }
        }
        return structured;
    }

    void AddDate(const QString& name, const QString& value, quint32 withYearText, quint32 withoutYearText)
    {
        const std::optional<TCardDate> date = ParseCardDate(value);
        TImportedItem item{name, {}, {}};
        if (name.isEmpty())
            item.Reason = ImportText("a card without a name");
        else if (!date)
            item.Reason = FormatText(ImportText("'%s' is no day of a year"), {value.trimmed()});
        if (!item.Reason.isEmpty()) {
            m_Report.Items.push_back(item);
            return;
        }
        const qint32 start = date->Year ? DayFromCivil(*date->Year, date->Month, date->Day) : StartWithoutYear(*date, m_Today);
        auto entry = std::make_unique<TVemoraEntryYearly>();
        entry->SetDateStart(start);
        entry->SetDateStop(NoDateStop);
        entry->SetMaxCount(NoMaxCount);
        entry->SetRepetition(1);
        entry->SetMonth(static_cast<quint8>(date->Month));
        entry->SetDay(static_cast<quint8>(date->Day));
        entry->SetDisplayText(FormatText(LanguageText(date->Year ? withYearText : withoutYearText), {name}));
        entry->SetCategory(m_Category);
        entry->SetActive(true);
        item.Name = entry->DisplayText();
        item.Date = IsoDate(start);
        m_Entries.AppendNewEntry(std::move(entry));
        m_Report.Items.push_back(item);
    }

    TVemoraEntries& m_Entries;
    qint32 m_Today;
    quint8 m_Category;
    TImportReport m_Report;
};

} // namespace

bool IsVCardText(const QByteArray& text)
{
    QByteArray start = text.trimmed().left(32).toUpper();
    if (start.startsWith("\xEF\xBB\xBF")) // a byte-order mark
        start.remove(0, 3);
    return start.startsWith("BEGIN:VCARD");
}

TImportReport ImportVCards(const QByteArray& text, TVemoraEntries& entries, const QString& category, qint32 today)
{
    TCardImport import(entries, category, today);
    std::optional<std::vector<TProperty>> card;
    bool found = false;
    for (const QString& line : UnfoldedLines(text)) {
        const std::optional<TProperty> property = ParseProperty(line);
        if (!property)
            continue;
        if (property->Name == QLatin1String("BEGIN") && property->Value.trimmed().toUpper() == QLatin1String("VCARD"))
            card.emplace();
        else if (property->Name == QLatin1String("END") && card) {
            import.AddCard(*card);
            card.reset();
            found = true;
        } else if (card) {
            card->push_back(*property);
        }
    }
    if (!found)
        throw EImportError(ImportText("no vCard in the file, or one cut short").toStdString());
    return import.Report();
}
