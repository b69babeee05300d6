// Language and country files from arbitrary bytes: loading and every lookup must end with a
// text, whatever the lines hold.
#include "FuzzSupport.h"

#include "support/DateFormat.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "support/NLSLine.h"


namespace {

const TFuzzFile& LanguageFile()
{
    static const TFuzzFile file("Vemora_FZ.nls");
    return file;
}

// The line functions on their own, as the loader calls them.
void SplitLines(const QByteArray& bytes)
{
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (const std::optional<TNLSLine> split = SplitNLSLine(line)) {
            (void)DecodeNLSValue(split->Value);
            (void)ParseTextId(split->Key);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses whether texts stay in memory or are read from the file per lookup.
    const bool readPerLookup = data[0] & 1;
    SetMemoryLoadProvider([readPerLookup] { return readPerLookup ? 100 : 0; });
    const QByteArray content = FuzzBytes(data + 1, size - 1);
    SplitLines(content);
    LanguageFile().Write(content);

    // The same bytes serve as country file (date conventions, names) and as language file.
    LoadLanguage(LanguageFile().Path(), LanguageFile().Path());
    for (quint32 id : {0x3483D21Cu, 0x1ACE43F2u, 0x5A61A501u, 0u, 0xFFFFFFFFu})
        (void)LanguageText(id, QStringLiteral("default"));
    for (int list = -1; list <= 4; ++list)
        for (int index = -1; index <= 12; ++index)
            (void)GetNameListItem(list, index);
    for (int day : {DayFromCivil(2026, 12, 6), DayFromCivil(1, 1, 1), DayFromCivil(9999, 12, 31)}) {
        (void)DateToStr(day);
        (void)DateToLongStr(day);
    }
    (void)DateTimeToStr(DayFromCivil(2026, 2, 28) + 0.75);
    QString value;
    (void)ReadKeyFromFile(LanguageFile().Path(), QStringLiteral("ShortDateFormat"), value);
    (void)FirstCharUpper(LanguageText(0x1ACE43F2), QStringLiteral(": "));
    return 0;
}
