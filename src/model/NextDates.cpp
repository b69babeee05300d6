#include "model/NextDates.h"

#include "model/ModelErrors.h"
#include "model/VemoraEntryBasic.h"

TNextDates FindNextDates(TVemoraEntryBasic& entry, qint32 from, int count)
{
    TNextDates next;
    if (entry.HasDateStop() && entry.DateStop() < entry.DateStart()) {
        next.Reason = TNextDates::TReason::StopBeforeStart;
        return next;
    }
    try {
        qint32 day = from - 1;
        for (qint32 found = 0; static_cast<int>(next.Days.size()) < count && entry.FindOccurrence(day, found, FindNext);
             day = found)
            next.Days.push_back(found);
        if (!next.Days.empty()) {
            next.Reason = TNextDates::TReason::Dates;
        } else if (entry.FindOccurrence(from, next.LastDay, FindOnOrBefore)) {
            next.Reason = TNextDates::TReason::Ended;
        }
    } catch (const EDateOverflow&) {
        next.Reason = next.Days.empty() ? TNextDates::TReason::OutOfCalendar : TNextDates::TReason::Dates;
    }
    return next;
}
