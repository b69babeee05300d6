#include "model/MonthMarks.h"

#include "model/AlertText.h"
#include "model/EntrySource.h"
#include "model/VemoraEntries.h"
#include "platform/FormatText.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

constexpr quint32 TextMoreAlerts = 0x2B7D4E12;

struct TMark {
    qint32 Offset; // days after the first day
    bool Warning;
};

// The days of the entry's cache that fall on or near the stretch, read once. Throws where the
// cache cannot be filled that far.
void MarksFromCache(TVemoraEntryBasic& entry, qint32 first, qint32 last, std::vector<TMark>& marks)
{
    const qint64 warn = entry.AdvanceWarn();
    const auto reach = static_cast<qint32>(std::min<qint64>(qint64(last) + warn, MaxDayNumber));
    entry.EnsureMatches(reach);
    const TMatchlist& matches = entry.MatchList();
    int index = 0;
    matches.Find(first, index);
    // A day warns of the next occurrence after it: the warnings of one occurrence end at the one
    // before.
    qint64 previous = index > 0 ? matches.Item(index - 1) : std::numeric_limits<qint32>::min();
    for (; index < matches.Count() && matches.Item(index) <= reach; ++index) {
        const qint32 day = matches.Item(index);
        for (qint64 warned = std::max({qint64(first), previous + 1, day - warn}); warned < day && warned <= last; ++warned)
            marks.push_back({static_cast<qint32>(warned - first), true});
        if (day <= last)
            marks.push_back({day - first, false});
        previous = day;
    }
}

// The tests of the logon check day by day: for caches from elsewhere that begin before the
// start, and for entries whose days run off the calendar part of the way.
void MarksDayByDay(TVemoraEntryBasic& entry, qint32 first, qint32 last, std::vector<TMark>& marks,
                   std::exception_ptr& error)
{
    for (qint64 day = first; day <= last; ++day) {
        try {
            if (entry.IsOccurrenceDay(static_cast<qint32>(day)))
                marks.push_back({static_cast<qint32>(day - first), false});
            else if (entry.IsInAdvanceWarning(static_cast<qint32>(day)))
                marks.push_back({static_cast<qint32>(day - first), true});
        } catch (const std::runtime_error&) {
            if (!error)
                error = std::current_exception();
        }
    }
}

// marks is the caller's, so that its memory serves entry after entry; error receives the first
// date error of the days that could not be computed.
void MarksOfEntry(TVemoraEntryBasic& entry, qint32 first, qint32 last, std::vector<TMark>& marks,
                  std::exception_ptr& error)
{
    marks.clear();
    try {
        const TMatchlist& matches = entry.MatchList();
        if (!matches.Valid() || matches.Count() == 0 || matches.Item(0) >= entry.DateStart())
            return MarksFromCache(entry, first, last, marks);
    } catch (const std::runtime_error&) {
        marks.clear();
    }
    MarksDayByDay(entry, first, last, marks, error);
}

void ReportError(const TMarkError& onError, int index, const std::exception_ptr& error)
{
    if (!onError || !error)
        return;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        onError(index, caught);
    }
}

} // namespace

std::vector<TDayMarks> MarkDays(TVemoraEntries& entries, qint32 first, qint32 last, const TMarkError& onError)
{
    std::vector<TDayMarks> days(static_cast<std::size_t>(std::max(last - first + 1, 0)));
    std::vector<TMark> marks;
    const TSourceCheckScope oneCheck;
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        if (!entry.Active())
            continue;
        std::exception_ptr error;
        MarksOfEntry(entry, first, last, marks, error);
        for (const TMark& mark : marks) {
            TDayMarks& day = days[static_cast<std::size_t>(mark.Offset)];
            (mark.Warning ? day.Warnings : day.Occurrences).push_back(i);
        }
        ReportError(onError, i, error);
    }
    return days;
}

QStringList DayAlertLines(TVemoraEntries& entries, const TDayMarks& marks, qint32 day, int limit)
{
    std::vector<int> indexes = marks.Occurrences;
    indexes.insert(indexes.end(), marks.Warnings.begin(), marks.Warnings.end());
    const std::size_t listed = std::min(indexes.size(), static_cast<std::size_t>(std::max(limit, 0)));
    QStringList lines;
    for (std::size_t i = 0; i < listed; ++i) {
        TVemoraEntryBasic& entry = *entries.Items(indexes[i]);
        try {
            entry.IsDue(day); // the cache reaches the day
            lines.append(OneLine(BuildAlertMessage(entry, day).Text));
        } catch (const std::runtime_error&) {
            lines.append(OneLine(entry.DisplayText()));
        }
    }
    if (listed < indexes.size())
        lines.append(FormatText(LanguageText(TextMoreAlerts), {QString::number(indexes.size() - listed)}));
    return lines;
}
