#pragma once

#include "model/EntryTypes.h"
#include "model/VemoraEntryBasic.h"

#include <QString>

#include <optional>

// What the entry editor shows of an entry, control by control, without the controls: the
// editor reads its controls into one of these and writes one into them, so that the rules of
// loading, saving and checking can be reached without a window.
struct TEntryFields {
    bool Active = true;
    int CycleKind = ekYearly;
    qint32 DateStart = 0;
    qint32 DateStop = NoDateStop;
    qint32 MaxCount = NoMaxCount;
    qint32 Repetition = 1;
    QString DisplayText;
    QString Comment;
    QString Mediafile;
    quint8 Category = 0;
    quint8 Icon = 0;
    quint8 AdvanceWarn = 0;
    quint8 Weekdays = 0; // bit n for weekday n, 1 = Sunday
    quint8 Month = 1;
    quint8 DayCycle = dcNone;
    quint8 Day = 1;
    quint8 DayKind = dkAnyDay; // of the daily, monthly or yearly chooser, by CycleKind
};

// The fields of an entry, its kind included, each as stored.
TEntryFields FieldsOfEntry(TVemoraEntryBasic& entry);
// The fields the controls give, except that a field whose control still shows what it showed
// when the entry was loaded keeps its stored value: a control cannot show every value a file
// may hold (a count of 0, an icon past the list, CR LF in a text), and an untouched field must
// not change the entry. The pattern fields are kept only while the kind is the same.
TEntryFields KeepUntouchedFields(TEntryFields now, const TEntryFields& shown, const TEntryFields& stored);
// Writes the fields into an entry of kind CycleKind; the entry's kind is not changed.
void SaveFieldsToEntry(const TEntryFields& fields, TVemoraEntryBasic& entry);
// Whether an entry made of the fields differs from entry (another kind always does).
bool FieldsDiffer(const TEntryFields& fields, const TVemoraEntryBasic& entry);

// The display text without leading and trailing blanks and control characters.
QString TrimDisplayText(const QString& text);
// A spin edit's text as a number: digits only after trimming, leading zeros allowed, at most
// 4294967295.
bool IsSpinEditValue(const QString& text);
// The longest fixed day a yearly entry may name in the month (1..12): February has 29.
int MaxDayOfMonth(int month);
// 16 per step: none, stop, question, exclamation, information.
inline int IconIndex(quint8 icon)
{
    return icon / 16;
}
