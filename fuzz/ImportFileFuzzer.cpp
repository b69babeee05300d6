// Calendar and address-book files from arbitrary bytes: importing ends in entries and a report
// or in the import error, each entry made answers for its days, and the file saves.
#include "cli/CalendarImport.h"
#include "cli/VCardImport.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryBasic.h"
#include "support/DayNumbers.h"

#include <cstdlib>

namespace {

// Days of the entries made, as the logon check and the list ask for them.
void AskAboutDays(TVemoraEntries& entries)
{
    const qint32 day = DayFromCivil(2027, 3, 1);
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        try {
            qint32 next = 0;
            entry.IsDue(day);
            entry.FindOccurrence(day, next, FindNext);
        } catch (const EDateOverflow&) {
        } catch (const EInvalidDate&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte picks an expand window, so that both ways through the events are taken.
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<TImportWindow> expand =
        size > 0 && (data[0] & 1) ? std::optional(TImportWindow{DayFromCivil(2020, 1, 1), DayFromCivil(2030, 12, 31)}) : std::nullopt;
    TVemoraEntries entries;
    try {
        const TImportReport report = IsVCardText(text) ? ImportVCards(text, entries, {}, DayFromCivil(2026, 12, 7))
                                                       : ImportCalendar(text, entries, {}, expand);
        if (report.LeftOut() > static_cast<int>(report.Items.size()))
            std::abort();
    } catch (const EImportError&) {
        if (entries.Count() != 0)
            std::abort(); // nothing may be half imported
        return 0;
    }
    AskAboutDays(entries);
    return 0;
}
