#pragma once

#include "model/EntryTypes.h"
#include "model/Matchlist.h"

#include <QString>

#include <functional>
#include <optional>

class TEntryReader;
class TEntryWriter;
class TListRow;
class TVemoraEntries;

// Whether a walk knows enough: asked after every occurrence it appends.
using TMatchStopTest = std::function<bool(const TMatchlist& matches, qint32 limit)>;

inline constexpr qint32 NoDateStop = -1;
inline constexpr qint32 NoMaxCount = -1;
inline constexpr quint8 IconInformation = 0x40;
inline constexpr int FindOnOrBefore = 0;
inline constexpr int FindNext = 1;

// What every kind of entry shares: the series limits, the alert's texts and presentation,
// and the cache of occurrence days with the walk that fills it. The kinds decide which days
// fit the pattern.
class TVemoraEntryBasic {
public:
    virtual ~TVemoraEntryBasic();
    TVemoraEntryBasic(const TVemoraEntryBasic&) = delete;
    TVemoraEntryBasic& operator=(const TVemoraEntryBasic&) = delete;

    // The next day after day on which the pattern may fit.
    virtual qint32 NextCandidate(qint32 day);
    // Whether day fits the pattern; start, stop, count and repetition are not considered.
    virtual bool IsMatch(qint32 day) = 0;
    virtual void Assign(const TVemoraEntryBasic& source);
    virtual void Clear();
    virtual int Compare(const TVemoraEntryBasic& other, int mode) const;
    virtual void LoadFromStream(TEntryReader& reader, int version);
    // Gives the row what it keeps of the entry: the entry itself, the check box, the mark of
    // today and the occurrences around today. Days that cannot be computed count as none.
    void FillListItem(TListRow& row, qint32 today);
    // The text of a list column (1 to 11; column 0 has none) as the row shows it.
    QString ListColumnText(int column);
    // The category as the list shows it: its name, or "(none)" for no category.
    QString CategoryText() const;
    // The first day of the pattern counted from DateStart.
    virtual qint32 FirstDate() = 0;
    virtual bool FindOccurrence(qint32 day, qint32& found, int direction);
    virtual void FillMatches(qint32 limit, const TMatchStopTest& stopTest);
    virtual void SaveToStream(TEntryWriter& writer) const;
    // Whether the pattern can fit any day at all; patterns from a damaged file may not.
    virtual bool CanMatch() const { return true; }
    // The weekdays the pattern fits, for kinds whose pattern is nothing but a set of weekdays.
    virtual std::optional<quint8> WeekdaySet() const { return std::nullopt; }
    // Fills the cache up to limit exactly as FillMatches with the stop test "the last day
    // reaches limit" does, but by arithmetic instead of a walk. False where the pattern does not
    // allow it (or no longer: near the end of the calendar), so that the walk goes on from there.
    virtual bool FillMatchesDirectly(qint32 limit);

    void EnsureMatches(qint32 limit);
    bool IsOccurrenceDay(qint32 day);
    bool IsInAdvanceWarning(qint32 day);
    // Whether the logon check alerts on day, active or not: an occurrence or a warning.
    bool IsDue(qint32 day) { return IsOccurrenceDay(day) || IsInAdvanceWarning(day); }
    int IndexInOwner() const;

    // The alert text for day: the first "$(COUNT)" replaced by the number of occurrences
    // before day; count receives that number when the text asks for it.
    QString AlertText(qint32 day, std::optional<quint32>* count = nullptr) const;
    // Days from day to the occurrence the alert is about; 0 or less on the day itself.
    qint32 DaysAhead(qint32 day) const;

    qint32 DateStart() const { return m_DateStart; }
    void SetDateStart(qint32 day);
    qint32 DateStop() const { return m_DateStop; }
    void SetDateStop(qint32 day);
    qint32 MaxCount() const { return m_MaxCount; }
    void SetMaxCount(qint32 count);
    qint32 Repetition() const { return m_Repetition; }
    void SetRepetition(qint32 repetition);
    bool Active() const { return m_Active; }
    void SetActive(bool active);
    TEntryKind Kind() const { return m_Kind; }
    const QString& Comment() const { return m_Comment; }
    void SetComment(const QString& comment);
    const QString& DisplayText() const { return m_DisplayText; }
    void SetDisplayText(const QString& text);
    const QString& Mediafile() const { return m_Mediafile; }
    void SetMediafile(const QString& fileName);
    quint8 Category() const { return m_Category; }
    void SetCategory(quint8 category);
    quint8 Icon() const { return m_Icon; }
    void SetIcon(quint8 icon);
    quint8 AdvanceWarn() const { return m_AdvanceWarn; }
    void SetAdvanceWarn(quint8 days);
    quint16 Number() const { return m_Number; }
    void SetNumber(quint16 number);
    qint32 ProbeStep() const { return m_ProbeStep; }
    // A one-off entry's only day is its start: a stop day or count kept in its record (files
    // from elsewhere, or a series turned into a one-off) does not limit it.
    bool HasDateStop() const { return m_Kind != ekOnce && m_DateStop != NoDateStop; }
    bool HasMaxCount() const { return m_Kind != ekOnce && m_MaxCount != NoMaxCount; }

    TMatchlist& MatchList() { return m_MatchList; }
    const TMatchlist& MatchList() const { return m_MatchList; }
    TVemoraEntries* Owner() const { return m_Owner; }
    void SetOwner(TVemoraEntries* owner) { m_Owner = owner; }

protected:
    TVemoraEntryBasic(TEntryKind kind, qint32 probeStep);
    // Where a walk up to limit goes on: false when the cache reaches limit already or the series
    // has ended. Otherwise the walk looks at days from from on and passes over the first skipped
    // matches before it records one.
    bool ResumeWalk(qint32 limit, qint32& from, qint64& skipped);
    // Whether the walk ends at day: the series is full or past its stop day or the calendar.
    bool WalkIsOver(qint32 day);

private:
    void LoadOldRecord(TEntryReader& reader, int version);

    qint32 m_DateStart = 0;
    qint32 m_DateStop = 0;
    qint32 m_MaxCount = 0;
    qint32 m_Repetition = 0;
    bool m_Active = true;
    TEntryKind m_Kind;
    QString m_Comment;
    QString m_DisplayText;
    QString m_Mediafile;
    quint8 m_Category = 0;
    quint8 m_Icon = IconInformation;
    quint8 m_AdvanceWarn = 0;
    quint16 m_Number = 0;
    qint32 m_ProbeStep;
    TMatchlist m_MatchList;
    TVemoraEntries* m_Owner = nullptr;
};
