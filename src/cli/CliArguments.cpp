#include "cli/CliArguments.h"

#include "cli/CalendarExport.h"
#include "support/DayNumbers.h"


namespace {

struct TCommandSyntax {
    const char* Name;
    TCliCommand Command;
    int FileCount;
    QStringList ValueOptions;
    QStringList FlagOptions;
};

const std::vector<TCommandSyntax>& Commands()
{
    static const std::vector<TCommandSyntax> commands = {
        {"due", TCliCommand::Due, 1, {QStringLiteral("--date"), QStringLiteral("--since")}, {QStringLiteral("--json")}},
        {"next", TCliCommand::Next, 1, {QStringLiteral("--from"), QStringLiteral("--count")},
         {QStringLiteral("--json")}},
        {"dump", TCliCommand::Dump, 1, {}, {}},
        {"upgrade", TCliCommand::Upgrade, 2, {}, {}},
        {"export", TCliCommand::Export, 1,
         {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--output")}, {}},
        {"import", TCliCommand::Import, 2, {QStringLiteral("--category"), QStringLiteral("--expand")}, {}},
        {"month", TCliCommand::Month, 1, {QStringLiteral("--month")}, {QStringLiteral("--json")}},
    };
    return commands;
}

const TCommandSyntax& FindCommand(const QString& name)
{
    for (const TCommandSyntax& syntax : Commands())
        if (name == QLatin1String(syntax.Name))
            return syntax;
    throw EUsageError(QStringLiteral("unknown command '%1'").arg(name));
}

qint32 DayOption(const QString& option, const QString& value)
{
    const std::optional<qint32> day = ParseIsoDay(value);
    if (!day)
        throw EUsageError(QStringLiteral("%1 needs a date as YYYY-MM-DD, not '%2'").arg(option, value));
    return *day;
}

int CountOption(const QString& value)
{
    bool ok = false;
    const int count = value.toInt(&ok);
    if (!ok || count < 1 || count > MaxNextCount)
        throw EUsageError(QStringLiteral("--count needs a number from 1 to %1, not '%2'").arg(MaxNextCount).arg(value));
    return count;
}

QString OutputOption(const QString& value)
{
    if (value.isEmpty())
        throw EUsageError(QStringLiteral("--output needs a file name"));
    return value;
}

QString CategoryOption(const QString& value)
{
    if (value.trimmed().isEmpty())
        throw EUsageError(QStringLiteral("--category needs a name"));
    return value.trimmed();
}

qint32 MonthOption(const QString& value)
{
    const std::optional<qint32> first = ParseIsoMonth(value);
    if (!first)
        throw EUsageError(QStringLiteral("--month needs a month as YYYY-MM, not '%1'").arg(value));
    return *first;
}

TImportWindow WindowOption(const QString& value)
{
    const QStringList ends = value.split(QStringLiteral(".."));
    const std::optional<qint32> from = ParseIsoDay(ends.value(0)), to = ParseIsoDay(ends.value(1));
    if (ends.size() != 2 || !from || !to || *from > *to)
        throw EUsageError(QStringLiteral("--expand needs FROM..TO as YYYY-MM-DD..YYYY-MM-DD, FROM not after TO, not '%1'").arg(value));
    return {*from, *to};
}

// Export always has both ends: the defaults depend on today, and a window ending before it
// begins is a slip of the user's, not an empty calendar.
void FillExportWindow(TCliRequest& request)
{
    const TExportWindow defaults = DefaultExportWindow(Today());
    request.Day = request.Day.value_or(defaults.From);
    request.To = request.To.value_or(defaults.To);
    if (*request.Day > *request.To)
        throw EUsageError(
            QStringLiteral("--from %1 is after --to %2").arg(IsoDate(*request.Day), IsoDate(*request.To)));
}

void ApplyValueOption(TCliRequest& request, const QString& option, const QString& value)
{
    if (option == QLatin1String("--count"))
        request.Count = CountOption(value);
    else if (option == QLatin1String("--output"))
        request.Output = OutputOption(value);
    else if (option == QLatin1String("--category"))
        request.Category = CategoryOption(value);
    else if (option == QLatin1String("--expand"))
        request.Expand = WindowOption(value);
    else if (option == QLatin1String("--month"))
        request.Month = MonthOption(value);
    else if (option == QLatin1String("--to"))
        request.To = DayOption(option, value);
    else if (option == QLatin1String("--since"))
        request.Since = DayOption(option, value);
    else
        request.Day = DayOption(option, value);
}

} // namespace

TCliRequest ParseCliArguments(const QStringList& arguments)
{
    TCliRequest request;
    for (const QString& argument : arguments)
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return request;
    if (arguments.isEmpty())
        throw EUsageError(QStringLiteral("no command given"));

    const TCommandSyntax& syntax = FindCommand(arguments.first());
    request.Command = syntax.Command;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1String("--"))) {
            request.Files.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString option = equals < 0 ? argument : argument.left(equals);
        if (syntax.FlagOptions.contains(option) && equals < 0) {
            request.Json = true;
        } else if (syntax.ValueOptions.contains(option)) {
            if (equals >= 0)
                ApplyValueOption(request, option, argument.mid(equals + 1));
            else if (++i < arguments.size())
                ApplyValueOption(request, option, arguments[i]);
            else
                throw EUsageError(QStringLiteral("%1 needs a value").arg(option));
        } else {
            throw EUsageError(QStringLiteral("unknown option '%1' for %2").arg(argument, QLatin1String(syntax.Name)));
        }
    }
    if (request.Files.size() < syntax.FileCount)
        throw EUsageError(QStringLiteral("%1 needs %2").arg(QLatin1String(syntax.Name),
                                                             syntax.FileCount == 1 ? QStringLiteral("a file name")
                                                                                   : QStringLiteral("IN and OUT")));
    if (request.Files.size() > syntax.FileCount)
        throw EUsageError(QStringLiteral("unexpected argument '%1'").arg(request.Files.at(syntax.FileCount)));
    if (request.Command == TCliCommand::Export)
        FillExportWindow(request);
    return request;
}

QString CliHelpText()
{
    return QStringLiteral(
        "Usage: vemora-cli COMMAND ARGUMENTS\n"
        "\n"
        "Commands:\n"
        "  due FILE [--date YYYY-MM-DD] [--since YYYY-MM-DD] [--json]\n"
        "      The active entries that the logon check alerts on that day (default today), in\n"
        "      file order, one line each: the alert text with its days-ahead prefix and\n"
        "      $(COUNT) filled in. Line breaks inside a text are shown as blanks.\n"
        "      --json: an array of {\"Index\", \"DisplayText\", \"Text\", \"DaysAhead\", \"Count\"};\n"
        "      Count is null when the text has no $(COUNT).\n"
        "      --since: instead, what the logon check with the missed-dates option shows as\n"
        "      missed when the check before was on that day: the occurrences of the active\n"
        "      entries on the days after it up to the day before --date, at most the 62 days\n"
        "      before --date, oldest first and in file order within a day, one line each:\n"
        "      \"YYYY-MM-DD TEXT\" with $(COUNT) as on that day. --json: an array of {\"Index\",\n"
        "      \"Day\", \"Text\", \"Count\"}.\n"
        "  next FILE [--from YYYY-MM-DD] [--count N] [--json]\n"
        "      For every entry, up to N (1 to 999, default 20) occurrence days from that day\n"
        "      on (default today), the day itself included when it is one, as the preview\n"
        "      lists them. One line per entry: \"INDEX: YYYY-MM-DD, YYYY-MM-DD, ...\"; nothing\n"
        "      follows the colon when the entry has no such day.\n"
        "      --json: an array of {\"Index\", \"Days\"} with the days as YYYY-MM-DD.\n"
        "  dump FILE\n"
        "      The whole file as one JSON object: FileVersion, Categories and Entries with the\n"
        "      fields of the entry record; days are day numbers (days since 1899-12-30).\n"
        "  upgrade IN OUT\n"
        "      Reads an entry file of any supported version and writes it as version 2.\n"
        "  export FILE [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--output F]\n"
        "      The active entries as all-day events of an iCalendar file, to standard output or\n"
        "      to F. The window runs from --from to --to, both included; by default from the\n"
        "      same date a year ago to the same date in two years (29 February standing for\n"
        "      28 February in other years). A pattern that a calendar repeats exactly becomes a\n"
        "      repeat rule from its first day on; any other entry lists its days within the\n"
        "      window, and a text with $(COUNT) becomes one event per day with its count. An\n"
        "      advance warning becomes a reminder that many days before.\n"
        "  import IN OUT [--category NAME] [--expand YYYY-MM-DD..YYYY-MM-DD]\n"
        "      Reads the events of the iCalendar file IN, or the birthdays and anniversaries of\n"
        "      the vCard file IN (\"Anna turns $(COUNT)\", or \"Anna's birthday\" without a year),\n"
        "      and adds them as entries at the end of\n"
        "      the entry file OUT, which is made when missing. SUMMARY becomes the text (a start\n"
        "      time goes in front, as \"10:30 Dentist\"), DESCRIPTION the comment, the first of\n"
        "      CATEGORIES (or NAME) the category, the largest reminder of whole days before the\n"
        "      start the advance warning. A repeat rule becomes the entry that repeats on\n"
        "      exactly its days; an event whose days no entry repeats exactly (EXDATE, RDATE,\n"
        "      BYSETPOS, ...) is left out, or with --expand becomes one entry per day of it\n"
        "      between the two dates. One line per event says \"imported\" or \"left out\"\n"
        "      with the reason. Exit status 3 when something was left out.\n"
        "  month FILE [--month YYYY-MM] [--json]\n"
        "      The month (default this month) as a calendar of weeks from Monday, with a '*'\n"
        "      after each day on which an active entry occurs (the number in bold on a\n"
        "      terminal), then one line per occurrence in day and file order: \"Fri 12 Mar  TEXT\"\n"
        "      with the text as due words it that day.\n"
        "      --json: {\"Month\", \"Days\": [{\"Date\", \"Occurrences\", \"Warnings\"}, ...]} with one\n"
        "      element per day: the indexes of the active entries that occur on it, and of\n"
        "      those whose advance warning the logon check shows on it; together, the entries\n"
        "      due lists for that day.\n"
        "\n"
        "INDEX is an entry's position in the file, counted from 0. An entry whose dates cannot\n"
        "be computed is reported on standard error and skipped.\n"
        "\n"
        "Exit status: 0 success; 1 a file that cannot be read (missing, not an entry file, of a\n"
        "newer version, damaged, not a calendar) or written; 2 wrong usage; 3 import left out\n"
        "events.\n");
}
