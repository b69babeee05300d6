#include "support/DateInput.h"

#include "support/DateFormat.h"

#include <QList>

#include <array>

namespace {

enum class TDatePart { Day, Month, Year };

struct TTypedGroup {
    QString Text;
    bool Digits = false;
};

// The order of day, month and year in a format of the program's format language; quoted
// literals are passed over.
QList<TDatePart> PartOrder(const QString& format)
{
    QList<TDatePart> order;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        const QChar lower = c.toLower();
        const TDatePart part = lower == u'd' ? TDatePart::Day : lower == u'm' ? TDatePart::Month : TDatePart::Year;
        if ((lower == u'd' || lower == u'm' || lower == u'y') && !order.contains(part))
            order.append(part);
    }
    for (TDatePart part : {TDatePart::Day, TDatePart::Month, TDatePart::Year})
        if (!order.contains(part))
            order.append(part);
    return order;
}

// Runs of digits and runs of letters; anything else separates them.
QList<TTypedGroup> Groups(const QString& text)
{
    QList<TTypedGroup> groups;
    bool separated = true;
    for (QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && !c.isLetter()) {
            separated = true;
            continue;
        }
        if (separated || groups.constLast().Digits != digit)
            groups.append({QString(), digit});
        groups.last().Text.append(c);
        separated = false;
    }
    return groups;
}

// A run of digits without separators: two digits each for day and month, the rest the year.
std::optional<QList<TTypedGroup>> SplitDigits(const QString& digits, const QList<TDatePart>& order)
{
    const qsizetype yearLength = digits.size() - 4;
    if (digits.size() != 4 && yearLength != 2 && yearLength != 4)
        return std::nullopt;
    QList<TTypedGroup> groups;
    qsizetype at = 0;
    for (TDatePart part : order) {
        if (part == TDatePart::Year && digits.size() == 4)
            continue;
        const qsizetype length = part == TDatePart::Year ? yearLength : 2;
        groups.append({digits.mid(at, length), true});
        at += length;
    }
    return groups;
}

std::optional<int> MonthOfName(const QString& name)
{
    const TFormatSettings& settings = FormatSettings();
    for (int month = 0; month < 12; ++month)
        for (const QString& known : {settings.LongMonthNames[static_cast<std::size_t>(month)],
                                     settings.ShortMonthNames[static_cast<std::size_t>(month)]})
            if (name.size() >= 3 && known.startsWith(name, Qt::CaseInsensitive))
                return month + 1;
    return std::nullopt;
}

// One or two digits name a year within 79 years before and 20 after the current one.
int FullYear(const QString& digits, int currentYear)
{
    const int year = digits.toInt();
    if (digits.size() > 2)
        return year;
    const int earliest = currentYear - 79;
    int full = earliest - earliest % 100 + year;
    if (full < earliest)
        full += 100;
    return full;
}

} // namespace

std::optional<QDate> ParseDateInput(const QString& text, const TDateInputRule& rule)
{
    const QList<TDatePart> order = PartOrder(rule.ShortFormat);
    QList<TTypedGroup> groups = Groups(text);
    if (groups.size() == 1 && groups.constFirst().Digits && groups.constFirst().Text.size() > 2) {
        const auto split = SplitDigits(groups.constFirst().Text, order);
        if (!split)
            return std::nullopt;
        groups = *split;
    }
    if (groups.isEmpty() || groups.size() > 3)
        return std::nullopt;
    // Fewer groups than parts: the year goes first, then the month.
    QList<TDatePart> typed = order;
    if (groups.size() < 3)
        typed.removeOne(TDatePart::Year);
    if (groups.size() < 2)
        typed.removeOne(TDatePart::Month);
    std::array<int, 3> values = {rule.Reference.day(), rule.Reference.month(), rule.Reference.year()};
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const TTypedGroup& group = groups.at(i);
        const TDatePart part = typed.at(i);
        if (!group.Digits) {
            const std::optional<int> month = MonthOfName(group.Text);
            if (part != TDatePart::Month || !month)
                return std::nullopt;
            values[1] = *month;
        } else if (group.Text.size() > (part == TDatePart::Year ? 4 : 2)) {
            return std::nullopt;
        } else {
            values[static_cast<std::size_t>(part)] = part == TDatePart::Year ? FullYear(group.Text, rule.CurrentYear)
                                                                             : group.Text.toInt();
        }
    }
    const QDate date(values[2], values[1], values[0]);
    if (!date.isValid() || values[2] < 1)
        return std::nullopt;
    return date;
}

QString DateFieldFormat(const QString& shortFormat)
{
    QString format;
    qsizetype i = 0;
    while (i < shortFormat.size()) {
        qsizetype run = 0;
        while (i + run < shortFormat.size() && shortFormat[i + run].toLower() == u'y')
            ++run;
        if (run == 0) {
            format.append(shortFormat[i++]);
            continue;
        }
        format.append(run >= 3 ? shortFormat.mid(i, run) : QStringLiteral("yyyy"));
        i += run;
    }
    return format;
}
