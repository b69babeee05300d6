#include "support/LocaleFormats.h"

namespace {

bool IsAsciiLetter(QChar ch)
{
    const char16_t code = ch.unicode();
    return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
}

// Characters that our format language would not take literally when unquoted.
bool NeedsQuotes(QChar ch)
{
    return IsAsciiLetter(ch) || ch == u'/' || ch == u':' || ch == u'\'';
}

void AppendLiteral(QString& out, QStringView text)
{
    QString quoted;
    const auto flush = [&] {
        if (!quoted.isEmpty())
            out += u'"' + quoted + u'"';
        quoted.clear();
    };
    for (const QChar ch : text) {
        if (ch == u'"') {
            flush();
            out += QStringLiteral("'\"'");
        } else if (NeedsQuotes(ch)) {
            quoted += ch;
        } else {
            flush();
            out += ch;
        }
    }
    flush();
}

// Reads a Qt quoted section starting at the opening quote; "''" inside stands for one quote.
// Returns the index after the closing quote.
qsizetype ReadQtQuoted(const QString& format, qsizetype start, QString& text)
{
    qsizetype i = start + 1;
    while (i < format.size()) {
        if (format[i] != u'\'') {
            text += format[i++];
        } else if (i + 1 < format.size() && format[i + 1] == u'\'') {
            text += u'\'';
            i += 2;
        } else {
            return i + 1;
        }
    }
    return i;
}

qsizetype RunLength(const QString& format, qsizetype start)
{
    qsizetype end = start;
    while (end < format.size() && format[end] == format[start])
        ++end;
    return end - start;
}

// Converts one run of a Qt pattern letter; returns how many characters it used.
qsizetype ConvertQtLetter(const QString& format, qsizetype i, QString& out)
{
    const qsizetype run = RunLength(format, i);
    switch (format[i].unicode()) {
    case u'd':
        out += QString(qMin(run, qsizetype(4)), u'd');
        return qMin(run, qsizetype(4));
    case u'M':
        out += QString(qMin(run, qsizetype(4)), u'm');
        return qMin(run, qsizetype(4));
    case u'y':
        if (run >= 4) {
            out += QStringLiteral("yyyy");
            return 4;
        }
        if (run >= 2) {
            out += QStringLiteral("yy");
            return 2;
        }
        break;
    case u'h':
    case u'H':
        out += QString(qMin(run, qsizetype(2)), u'h');
        return qMin(run, qsizetype(2));
    case u'm':
        out += QString(qMin(run, qsizetype(2)), u'n');
        return qMin(run, qsizetype(2));
    case u's':
        out += QString(qMin(run, qsizetype(2)), u's');
        return qMin(run, qsizetype(2));
    case u'z':
        return qMin(run, qsizetype(3));
    case u't':
        return 1;
    case u'a':
    case u'A': {
        // "AP", "ap", "A", "a": there is no AM/PM marker here.
        const bool withP = i + 1 < format.size() && format[i + 1].toLower() == u'p';
        return withP ? 2 : 1;
    }
    default:
        break;
    }
    AppendLiteral(out, QStringView(format).mid(i, 1));
    return 1;
}

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QChar FirstCharOr(const QString& text, QChar fallback)
{
    return text.isEmpty() ? fallback : text[0];
}

} // namespace

QString FromQtFormat(const QString& qtFormat, QChar separator, QChar separatorToken)
{
    QString out;
    qsizetype i = 0;
    while (i < qtFormat.size()) {
        const QChar ch = qtFormat[i];
        if (ch == u'\'') {
            QString text;
            i = ReadQtQuoted(qtFormat, i, text);
            AppendLiteral(out, text);
        } else if (IsAsciiLetter(ch)) {
            i += ConvertQtLetter(qtFormat, i, out);
        } else if (!separator.isNull() && ch == separator) {
            out += separatorToken;
            ++i;
        } else {
            AppendLiteral(out, QStringView(qtFormat).mid(i, 1));
            ++i;
        }
    }
    return TrimBlanks(out);
}

QChar FirstQtSeparator(const QString& qtFormat)
{
    bool quoted = false;
    for (const QChar ch : qtFormat) {
        if (ch == u'\'')
            quoted = !quoted;
        else if (!quoted && !ch.isLetter())
            return ch;
    }
    return {};
}

TFormatSettings MakeFormatSettings(const QLocale& locale)
{
    TFormatSettings settings;
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    settings.DateSeparator = FirstQtSeparator(shortDate);
    settings.ShortDateFormat = FromQtFormat(shortDate, settings.DateSeparator, u'/');
    settings.LongDateFormat = FromQtFormat(locale.dateFormat(QLocale::LongFormat));
    if (settings.DateSeparator.isNull())
        settings.DateSeparator = u'/';

    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    settings.TimeSeparator = FirstQtSeparator(shortTime);
    settings.ShortTimeFormat = FromQtFormat(shortTime, settings.TimeSeparator, u':');
    settings.LongTimeFormat =
        FromQtFormat(locale.timeFormat(QLocale::LongFormat), settings.TimeSeparator, u':');
    if (settings.TimeSeparator.isNull())
        settings.TimeSeparator = u':';

    settings.DecimalSeparator = FirstCharOr(locale.decimalPoint(), u'.');
    settings.ThousandSeparator = FirstCharOr(locale.groupSeparator(), u',');

    // QLocale counts weekdays from Monday = 1 to Sunday = 7.
    for (int index = 0; index < 7; ++index) {
        const int qtDay = index == 0 ? 7 : index;
        settings.ShortDayNames[index] = locale.dayName(qtDay, QLocale::ShortFormat);
        settings.LongDayNames[index] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    for (int index = 0; index < 12; ++index) {
        settings.ShortMonthNames[index] = locale.monthName(index + 1, QLocale::ShortFormat);
        settings.LongMonthNames[index] = locale.monthName(index + 1, QLocale::LongFormat);
    }
    settings.FirstDayOfWeek = static_cast<int>(locale.firstDayOfWeek()) % 7 + 1;
    return settings;
}
