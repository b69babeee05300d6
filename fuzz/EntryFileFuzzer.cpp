// Entry files from arbitrary bytes: reading must end in a list or a file error, the list must
// answer the questions of the logon check, and what it writes must read back to the same bytes.
#include "FuzzSupport.h"

#include "model/AlertText.h"
#include "model/EntryFileHeader.h"
#include "model/EntryStream.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"

#include <algorithm>

namespace {

const TFuzzFile& InputFile()
{
    static const TFuzzFile file("entry-input.vkd");
    return file;
}

const TFuzzFile& OutputFile()
{
    static const TFuzzFile file("entry-output.vkd");
    return file;
}

// A file error or an invalid old date ends the load; anything else escapes and is a finding.
bool Load(TVemoraEntries& list, const QString& path)
{
    try {
        return list.LoadFromFile(path);
    } catch (const EEntryFileError&) {
    } catch (const EInvalidDate&) {
    }
    return false;
}

void AskAboutDay(TVemoraEntries& list, qint32 day)
{
    for (int i = 0; i < list.Count(); ++i) {
        TVemoraEntryBasic& entry = *list.Items(i);
        try {
            if (entry.IsOccurrenceDay(day) || entry.IsInAdvanceWarning(day))
                (void)AlertMessageText(entry, day);
            qint32 found = 0;
            entry.FindOccurrence(day, found, FindOnOrBefore);
            entry.FindOccurrence(day, found, FindNext);
        } catch (const EDateOverflow&) {
        } catch (const EInvalidDate&) {
        }
    }
    try {
        list.GetDueEntries(day);
    } catch (const EDateOverflow&) {
    } catch (const EInvalidDate&) {
    }
}

// The bytes SaveToFile writes, without its flush to the disk.
QByteArray Written(const TVemoraEntries& list)
{
    TEntryWriter writer;
    list.SaveToStream(writer);
    return QByteArray(EntryFileMagic.data(), EntryFileMagic.size()) + static_cast<char>(EntryFileVersion) +
           writer.Data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputFile().Write(FuzzBytes(data, size));
    TVemoraEntries list;
    if (!Load(list, InputFile().Path()))
        return 0;
    // Days near the series' starts keep the walks short; the files bring the far-off dates.
    AskAboutDay(list, DayFromCivil(2026, 12, 6));
    if (list.Count() > 0)
        AskAboutDay(list, std::clamp(list.Items(0)->DateStart(), MinDayNumber, MaxDayNumber - 400) + 300);

    // What the list writes must read back and write the same bytes again.
    const QByteArray first = Written(list);
    OutputFile().Write(first);
    TVemoraEntries again;
    if (!Load(again, OutputFile().Path()) || Written(again) != first)
        std::abort();
    return 0;
}
