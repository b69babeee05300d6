#include "cli/CliCommands.h"

#include "cli/CalendarExport.h"
#include "cli/CalendarImport.h"
#include "cli/VCardImport.h"
#include "cli/CliArguments.h"
#include "cli/EntryJson.h"
#include "cli/MonthCalendar.h"
#include "model/AlertText.h"
#include "model/EntryFileHeader.h"
#include "model/MissedDates.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTextStream>

namespace {

const QString ProgramName = QStringLiteral("vemora-cli");

// A file that cannot be read or written; the message is one line without the program name.
class ECliFileError : public std::runtime_error {
public:
    ECliFileError(const QString& fileName, const QString& reason)
        : std::runtime_error((fileName + QStringLiteral(": ") + reason).toStdString())
    {
    }
};

void LoadEntryFile(const QString& fileName, TVemoraEntries& entries)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        throw ECliFileError(fileName, QStringLiteral("no such file"));
    if (!info.isFile())
        throw ECliFileError(fileName, QStringLiteral("not a regular file"));
    TEntryFileHeader header;
    if (!ReadFileHeader(fileName, &header))
        throw ECliFileError(fileName, QStringLiteral("not an entry file"));
    if (header.Version > EntryFileVersion)
        throw ECliFileError(fileName, QStringLiteral("entry file version %1 is newer than this program reads")
                                          .arg(header.Version));
    try {
        if (!entries.LoadFromFile(fileName))
            throw ECliFileError(fileName, QStringLiteral("not an entry file"));
    } catch (const EEntryFileError& error) {
        throw ECliFileError(fileName, error.Message());
    } catch (const EInvalidDate& error) {
        throw ECliFileError(fileName, EEntryFileError(QString::fromUtf8(error.what())).Message());
    }
}

// The process ends right after its command: handing back the memory of every entry one by one
// would only delay that, so the lists stay (reachable, not leaked) until then.
TVemoraEntries& EntriesKeptUntilExit()
{
    static auto* lists = new std::vector<std::unique_ptr<TVemoraEntries>>();
    return *lists->emplace_back(std::make_unique<TVemoraEntries>());
}

void ReportEntryError(QTextStream& err, int index, const TVemoraEntryBasic& entry, const std::exception& error)
{
    err << ProgramName << ": entry " << index << " (" << entry.DisplayText() << "): " << QString::fromUtf8(error.what())
        << Qt::endl;
}

void WriteJson(QTextStream& out, const QJsonDocument& document)
{
    out << QString::fromUtf8(document.toJson(QJsonDocument::Indented));
}

QJsonValue CountValue(const std::optional<quint32>& count)
{
    return count ? QJsonValue(static_cast<qint64>(*count)) : QJsonValue();
}

// The list has no line limit, unlike the summary alert, so that scripts see every date.
int RunMissed(const TCliRequest& request, QTextStream& out, QTextStream& err)
{
    TVemoraEntries& entries = EntriesKeptUntilExit();
    LoadEntryFile(request.Files.at(0), entries);
    const auto missed = MissedOccurrences(entries, *request.Since, request.Day.value_or(Today()),
                                          [&](int index, const std::exception& error) {
                                              ReportEntryError(err, index, *entries.Items(index), error);
                                          });
    QJsonArray list;
    for (const TMissedOccurrence& occurrence : missed) {
        if (!request.Json) {
            out << IsoDate(occurrence.Day) << ' ' << OneLine(occurrence.Text) << '\n';
            continue;
        }
        list.append(QJsonObject{
            {QStringLiteral("Index"), occurrence.Index},
            {QStringLiteral("Day"), IsoDate(occurrence.Day)},
            {QStringLiteral("Text"), occurrence.Text},
            {QStringLiteral("Count"), CountValue(occurrence.Count)},
        });
    }
    if (request.Json)
        WriteJson(out, QJsonDocument(list));
    return cliSuccess;
}

int RunDue(const TCliRequest& request, QTextStream& out, QTextStream& err)
{
    if (request.Since)
        return RunMissed(request, out, err);
    TVemoraEntries& entries = EntriesKeptUntilExit();
    LoadEntryFile(request.Files.at(0), entries);
    const qint32 day = request.Day.value_or(Today());
    QJsonArray alerts;
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        TAlertMessage message;
        // The test of GetDueEntries, per entry, so that one entry's date error spares the others.
        try {
            if (!entry.IsDue(day) || !entry.Active())
                continue;
            message = BuildAlertMessage(entry, day);
        } catch (const EDateOverflow& error) {
            ReportEntryError(err, i, entry, error);
            continue;
        } catch (const EInvalidDate& error) {
            ReportEntryError(err, i, entry, error);
            continue;
        }
        if (!request.Json) {
            out << OneLine(message.Text) << '\n';
            continue;
        }
        alerts.append(QJsonObject{
            {QStringLiteral("Index"), i},
            {QStringLiteral("DisplayText"), entry.DisplayText()},
            {QStringLiteral("Text"), message.Text},
            {QStringLiteral("DaysAhead"), message.DaysAhead},
            {QStringLiteral("Count"), CountValue(message.Count)},
        });
    }
    if (request.Json)
        WriteJson(out, QJsonDocument(alerts));
    return cliSuccess;
}

// The dates the preview lists from day on: day itself when it is an occurrence, then each next
// one, up to count. A date error ends the list with the days found before it.
void AppendPreviewDays(TVemoraEntryBasic& entry, qint32 day, int count, QList<qint32>& days)
{
    if (entry.IsOccurrenceDay(day))
        days.append(day);
    qint32 next = 0;
    while (days.size() < count && entry.FindOccurrence(day, next, FindNext)) {
        day = next;
        days.append(day);
    }
}

int RunNext(const TCliRequest& request, QTextStream& out, QTextStream& err)
{
    TVemoraEntries& entries = EntriesKeptUntilExit();
    LoadEntryFile(request.Files.at(0), entries);
    const qint32 from = request.Day.value_or(Today());
    QJsonArray list;
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        QList<qint32> days;
        try {
            AppendPreviewDays(entry, from, request.Count, days);
        } catch (const EDateOverflow& error) {
            ReportEntryError(err, i, entry, error);
        } catch (const EInvalidDate& error) {
            ReportEntryError(err, i, entry, error);
        }
        QStringList dates;
        for (qint32 day : days)
            dates.append(IsoDate(day));
        if (request.Json)
            list.append(QJsonObject{{QStringLiteral("Index"), i},
                                    {QStringLiteral("Days"), QJsonArray::fromStringList(dates)}});
        else
            out << i << ':' << (dates.isEmpty() ? QString() : u' ' + dates.join(QStringLiteral(", "))) << '\n';
    }
    if (request.Json)
        WriteJson(out, QJsonDocument(list));
    return cliSuccess;
}

int RunDump(const TCliRequest& request, QTextStream& out)
{
    TVemoraEntries& entries = EntriesKeptUntilExit();
    LoadEntryFile(request.Files.at(0), entries);
    WriteJson(out, QJsonDocument(EntriesToJson(entries)));
    return cliSuccess;
}

int RunUpgrade(const TCliRequest& request)
{
    TVemoraEntries& entries = EntriesKeptUntilExit();
    LoadEntryFile(request.Files.at(0), entries);
    const QString& output = request.Files.at(1);
    try {
        entries.SaveToFile(output);
    } catch (const EEntryFileError&) {
        throw ECliFileError(output, QStringLiteral("cannot be written"));
    }
    return cliSuccess;
}

int RunExport(const TCliRequest& request, QTextStream& out, QTextStream& err)
{
    TVemoraEntries& entries = EntriesKeptUntilExit();
    const QString& fileName = request.Files.at(0);
    LoadEntryFile(fileName, entries);
    const QByteArray calendar =
        ExportCalendar(entries, QFileInfo(fileName).absoluteFilePath(), TExportWindow{*request.Day, *request.To},
                       [&err](int index, const TVemoraEntryBasic& entry, const std::exception& error) {
                           ReportEntryError(err, index, entry, error);
                       });
    if (request.Output.isEmpty()) {
        out << QString::fromUtf8(calendar);
        return cliSuccess;
    }
    // Written whole or not at all: a calendar cut short would import without a word.
    QSaveFile file(request.Output);
    if (!file.open(QIODevice::WriteOnly) || file.write(calendar) != calendar.size() || !file.commit())
        throw ECliFileError(request.Output, QStringLiteral("cannot be written"));
    return cliSuccess;
}

QByteArray ReadCalendarFile(const QString& fileName)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        throw ECliFileError(fileName, QStringLiteral("cannot be read"));
    return file.readAll();
}

void PrintImportReport(const TImportReport& report, QTextStream& out)
{
    for (const TImportedItem& item : report.Items) {
        out << (item.Reason.isEmpty() ? "imported  " : "left out  ") << (item.Date.isEmpty() ? QStringLiteral("----------") : item.Date)
            << "  " << OneLine(item.Name);
        if (item.Days > 0)
            out << " (as " << item.Days << (item.Days == 1 ? " single day)" : " single days)");
        if (!item.Reason.isEmpty())
            out << ": " << item.Reason;
        out << '\n';
    }
    out << report.Items.size() - static_cast<std::size_t>(report.LeftOut()) << " imported, " << report.LeftOut()
        << " left out" << Qt::endl;
}

// The entry file is read first and written only once the calendar has been read whole.
int RunImport(const TCliRequest& request, QTextStream& out)
{
    const QString& input = request.Files.at(0);
    const QString& output = request.Files.at(1);
    const QByteArray calendar = ReadCalendarFile(input);
    TVemoraEntries& entries = EntriesKeptUntilExit();
    if (QFileInfo::exists(output))
        LoadEntryFile(output, entries);
    TImportReport report;
    try {
        report = IsVCardText(calendar) ? ImportVCards(calendar, entries, request.Category, Today())
                                       : ImportCalendar(calendar, entries, request.Category, request.Expand);
    } catch (const EImportError& error) {
        throw ECliFileError(input, QString::fromUtf8(error.what()));
    }
    try {
        entries.SaveToFile(output);
    } catch (const EEntryFileError&) {
        throw ECliFileError(output, QStringLiteral("cannot be written"));
    }
    PrintImportReport(report, out);
    return report.LeftOut() > 0 ? cliLeftOut : cliSuccess;
}

int RunMonth(const TCliRequest& request, QTextStream& out, QTextStream& err, bool terminal)
{
    TVemoraEntries& entries = EntriesKeptUntilExit();
    LoadEntryFile(request.Files.at(0), entries);
    const TCivilDate today = CivilFromDay(Today());
    TMarkedMonth month;
    month.First = request.Month.value_or(DayFromCivil(today.Year, today.Month, 1));
    const TCivilDate first = CivilFromDay(month.First);
    const qint32 last = month.First + static_cast<qint32>(DaysInMonth(first.Year, first.Month)) - 1;
    month.Days = MarkDays(entries, month.First, last, [&](int index, const std::exception& error) {
        ReportEntryError(err, index, *entries.Items(index), error);
    });
    if (request.Json)
        out << QString::fromUtf8(MonthCalendarJson(month));
    else
        out << MonthCalendarText(entries, month, terminal);
    return cliSuccess;
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err, bool terminal)
{
    TCliRequest request;
    try {
        request = ParseCliArguments(arguments);
    } catch (const EUsageError& error) {
        err << ProgramName << ": " << QString::fromUtf8(error.what()) << " (see " << ProgramName << " --help)"
            << Qt::endl;
        return cliUsageError;
    }
    // The built-in texts only: the output must not depend on a user's chosen language file.
    LoadLanguage(QString(), QString());
    try {
        switch (request.Command) {
        case TCliCommand::Help:
            out << CliHelpText();
            return cliSuccess;
        case TCliCommand::Due:
            return RunDue(request, out, err);
        case TCliCommand::Next:
            return RunNext(request, out, err);
        case TCliCommand::Dump:
            return RunDump(request, out);
        case TCliCommand::Upgrade:
            return RunUpgrade(request);
        case TCliCommand::Export:
            return RunExport(request, out, err);
        case TCliCommand::Import:
            return RunImport(request, out);
        case TCliCommand::Month:
            return RunMonth(request, out, err, terminal);
        }
    } catch (const ECliFileError& error) {
        err << ProgramName << ": " << QString::fromUtf8(error.what()) << Qt::endl;
        return cliFileError;
    }
    return cliUsageError;
}
