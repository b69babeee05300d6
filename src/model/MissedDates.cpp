#include "model/MissedDates.h"

#include "model/AlertText.h"
#include "model/VemoraEntries.h"
#include "platform/FormatText.h"
#include "support/DateFormat.h"
#include "support/NLS.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr quint32 TextMissedHeading = 0x2B7D4E11;
constexpr quint32 TextMoreMissed = 0x2B7D4E12;

} // namespace

std::vector<TMissedOccurrence> MissedOccurrences(TVemoraEntries& entries, qint32 lastCheck, qint32 today,
                                                 const TMissedDateError& onError)
{
    // 64 bits: a stored moment at the edge of the day numbers must not wrap around.
    const qint64 first = std::max<qint64>(qint64(lastCheck) + 1, qint64(today) - MaxMissedDays);
    std::vector<TMissedOccurrence> missed;
    std::vector<bool> failed(static_cast<std::size_t>(entries.Count()));
    for (qint64 day = first; day < today; ++day) {
        for (int i = 0; i < entries.Count(); ++i) {
            TVemoraEntryBasic& entry = *entries.Items(i);
            if (failed[static_cast<std::size_t>(i)] || !entry.Active())
                continue;
            try {
                if (!entry.IsOccurrenceDay(static_cast<qint32>(day)))
                    continue;
                TMissedOccurrence occurrence{static_cast<qint32>(day), i, QString(), std::nullopt};
                occurrence.Text = entry.AlertText(occurrence.Day, &occurrence.Count);
                missed.push_back(std::move(occurrence));
            } catch (const std::runtime_error& error) {
                failed[static_cast<std::size_t>(i)] = true;
                onError(i, error);
            }
        }
    }
    return missed;
}

QString MissedSummaryText(const std::vector<TMissedOccurrence>& missed)
{
    QStringList lines{LanguageText(TextMissedHeading)};
    const std::size_t shown = std::min(missed.size(), std::size_t(MaxMissedSummaryLines));
    for (std::size_t i = 0; i < shown; ++i)
        lines.append(DateToStr(missed[i].Day) + u' ' + OneLine(missed[i].Text));
    if (missed.size() > shown)
        lines.append(FormatText(LanguageText(TextMoreMissed), {QString::number(missed.size() - shown)}));
    return lines.join(u'\n');
}
