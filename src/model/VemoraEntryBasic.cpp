#include "model/VemoraEntryBasic.h"

#include "model/CompareOrder.h"
#include "model/EntryStream.h"
#include "model/ListRow.h"
#include "model/ModelErrors.h"
#include "model/PendingEvents.h"
#include "model/VemoraEntries.h"
#include "model/WeekdayRun.h"
#include "support/DateFormat.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"

#include <algorithm>
#include <stdexcept>

namespace {

const QString CountPlaceholder = QStringLiteral("$(COUNT)");
constexpr int StepsBetweenEvents = 10;
// A walk that meets this many candidates in a row without a match gives up: every valid
// pattern matches within a few days, so only a damaged entry gets here.
constexpr int MaxCandidatesWithoutMatch = 3660;

// Limits sort before "none"; two limits compare numerically.
int OrderOptional(qint32 a, qint32 b, qint32 none)
{
    if (a == b)
        return 0;
    if (a == none)
        return 1;
    if (b == none)
        return -1;
    return Order(a, b);
}

int OrderText(const QString& a, const QString& b)
{
    const int result = a.compare(b, Qt::CaseSensitive);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

QString InParentheses(quint32 textId)
{
    return u'(' + LanguageText(textId) + u')';
}

qint32 ClampDay(qint64 day)
{
    return static_cast<qint32>(std::clamp<qint64>(day, MinDayNumber, MaxDayNumber));
}

} // namespace

TVemoraEntryBasic::TVemoraEntryBasic(TEntryKind kind, qint32 probeStep)
    : m_Kind(kind)
    , m_ProbeStep(probeStep)
    , m_MatchList(this)
{
}

TVemoraEntryBasic::~TVemoraEntryBasic() = default;

qint32 TVemoraEntryBasic::NextCandidate(qint32 day)
{
    return day + 1;
}

void TVemoraEntryBasic::Clear()
{
    m_DateStart = 0;
    m_DateStop = 0;
    m_MaxCount = 0;
    m_Active = true;
    m_Comment.clear();
    m_DisplayText.clear();
    m_Mediafile.clear();
    m_Category = 0;
    m_Icon = IconInformation;
    m_AdvanceWarn = 0;
    m_MatchList.Clear();
}

void TVemoraEntryBasic::Assign(const TVemoraEntryBasic& source)
{
    Clear();
    m_MatchList.Assign(source.m_MatchList);
    m_AdvanceWarn = source.m_AdvanceWarn;
    m_Comment = source.m_Comment;
    m_DisplayText = source.m_DisplayText;
    m_Active = source.m_Active;
    m_Mediafile = source.m_Mediafile;
    m_Icon = source.m_Icon;
}

int TVemoraEntryBasic::Compare(const TVemoraEntryBasic& other, int mode) const
{
    if (mode == 0)
        return Order(static_cast<const void*>(this), static_cast<const void*>(&other));
    for (const int result : {Order(m_DateStart, other.m_DateStart), OrderText(m_DisplayText, other.m_DisplayText),
                             Order(m_Kind, other.m_Kind), Order(m_Active, other.m_Active),
                             OrderOptional(m_MaxCount, other.m_MaxCount, NoMaxCount),
                             OrderText(m_Mediafile, other.m_Mediafile), OrderText(m_Comment, other.m_Comment),
                             Order(m_Category, other.m_Category), Order(m_AdvanceWarn, other.m_AdvanceWarn),
                             Order(m_Icon, other.m_Icon), Order(m_Repetition, other.m_Repetition),
                             OrderOptional(m_DateStop, other.m_DateStop, NoDateStop)})
        if (result != 0)
            return result;
    return 0;
}

// Old records (versions 0 and 1) hold a yearly date as day and month, the texts, and no
// limits, category or cache.
void TVemoraEntryBasic::LoadOldRecord(TEntryReader& reader, int version)
{
    const int day = reader.ReadByte();
    const int month = reader.ReadByte();
    // 29 February is no day of 1900, so such records take 1904, the first leap year after.
    const int year = month == 2 && day == 29 ? 1904 : 1900;
    if (!IsValidDate(year, static_cast<unsigned>(month), static_cast<unsigned>(day)))
        throw EInvalidDate(year, month, day);
    SetDateStart(DayFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)));
    m_DateStop = NoDateStop;
    m_Comment = reader.ReadString();
    m_DisplayText = reader.ReadString();
    m_Active = reader.ReadBool();
    m_AdvanceWarn = reader.ReadByte();
    m_Mediafile = reader.ReadString();
    if (version == 1)
        m_Icon = reader.ReadByte();
    m_MaxCount = NoMaxCount;
}

void TVemoraEntryBasic::LoadFromStream(TEntryReader& reader, int version)
{
    if (version < 2) {
        LoadOldRecord(reader, version);
        return;
    }
    m_Number = reader.ReadWord();
    m_DateStart = reader.ReadInt();
    m_DateStop = reader.ReadInt();
    m_Repetition = reader.ReadInt();
    m_MaxCount = reader.ReadInt();
    m_Active = reader.ReadBool();
    m_Comment = reader.ReadString();
    m_DisplayText = reader.ReadString();
    m_Mediafile = reader.ReadString();
    m_AdvanceWarn = reader.ReadByte();
    m_Icon = reader.ReadByte();
    m_Category = reader.ReadByte();
    m_MatchList.LoadFromStream(reader);
    // Occurrences never lie before the start day; such a cache is recomputed, not resumed.
    if (m_MatchList.Count() > 0 && m_MatchList.Item(0) < m_DateStart)
        m_MatchList.Clear();
}

void TVemoraEntryBasic::SaveToStream(TEntryWriter& writer) const
{
    writer.WriteByte(m_Kind);
    writer.WriteWord(m_Number);
    writer.WriteInt(m_DateStart);
    writer.WriteInt(m_DateStop);
    writer.WriteInt(m_Repetition);
    writer.WriteInt(m_MaxCount);
    writer.WriteBool(m_Active);
    writer.WriteString(m_Comment);
    writer.WriteString(m_DisplayText);
    writer.WriteString(m_Mediafile);
    writer.WriteByte(m_AdvanceWarn);
    writer.WriteByte(m_Icon);
    writer.WriteByte(m_Category);
    m_MatchList.SaveToStream(writer);
}

bool TVemoraEntryBasic::WalkIsOver(qint32 day)
{
    return (HasMaxCount() && m_MatchList.Count() >= m_MaxCount) || (HasDateStop() && day > m_DateStop) ||
           day > MaxDayNumber;
}

void TVemoraEntryBasic::FillMatches(qint32 limit, const TMatchStopTest& stopTest)
{
    TMatchlist& matches = m_MatchList;
    if (matches.IsComplete())
        return;
    if (!CanMatch()) {
        matches.Clear();
        matches.SetValid(true);
        matches.SetComplete(true);
        return;
    }
    qint32 day = m_DateStart;
    if (matches.Valid() && matches.Count() > 0) {
        if (stopTest(matches, limit))
            return;
        if (matches.Last() >= MaxDayNumber) {
            matches.SetComplete(true);
            return;
        }
        day = NextCandidate(matches.Last());
    } else {
        matches.Clear();
    }
    // A start before the year 1 comes only from a damaged file; walking up from there would
    // take billions of steps.
    if (day < MinDayNumber)
        throw EDateOverflow();
    matches.SetValid(true);
    int sinceRecorded = 0;
    int steps = 0;
    int withoutMatch = 0;
    for (;;) {
        if (WalkIsOver(day) || withoutMatch > MaxCandidatesWithoutMatch) {
            matches.SetComplete(true);
            return;
        }
        if (IsMatch(day)) {
            withoutMatch = 0;
            ++sinceRecorded;
            if (sinceRecorded >= m_Repetition || matches.Count() == 0) {
                matches.Add(day);
                if (stopTest(matches, limit))
                    return;
                sinceRecorded = 0;
            }
        } else {
            ++withoutMatch;
        }
        if (day >= MaxDayNumber) {
            matches.SetComplete(true);
            return;
        }
        day = NextCandidate(day);
        if (++steps == StepsBetweenEvents) {
            ProcessPendingEvents();
            steps = 0;
        }
        if (matches.IsComplete())
            return;
    }
}

void TVemoraEntryBasic::EnsureMatches(qint32 limit)
{
    if (m_MatchList.IsComplete() || FillMatchesDirectly(limit))
        return;
    FillMatches(limit, [](const TMatchlist& matches, qint32 wanted) { return matches.Last() >= wanted; });
}

bool TVemoraEntryBasic::ResumeWalk(qint32 limit, qint32& from, qint64& skipped)
{
    TMatchlist& matches = m_MatchList;
    from = m_DateStart;
    skipped = 0;
    if (matches.Valid() && matches.Count() > 0) {
        if (matches.Last() >= limit)
            return false;
        if (matches.Last() >= MaxDayNumber) {
            matches.SetComplete(true);
            return false;
        }
        // The walk goes on after the last recorded day and records the Repetition-th match.
        from = matches.Last() + 1;
        skipped = std::max(m_Repetition, 1) - 1;
    } else {
        matches.Clear();
    }
    if (from < MinDayNumber)
        throw EDateOverflow();
    matches.SetValid(true);
    return true;
}

// A series of weekdays started decades ago would otherwise take a step for each of its days.
bool TVemoraEntryBasic::FillMatchesDirectly(qint32 limit)
{
    const std::optional<quint8> weekdays = WeekdaySet();
    if (!weekdays)
        return false;
    qint32 from = 0;
    qint64 skipped = 0;
    if (!ResumeWalk(limit, from, skipped))
        return true;
    const TWeekdayRun run{TWeekdayMatches(from, *weekdays), skipped, std::max(m_Repetition, 1)};
    const qint64 untilLimit = run.CountBefore(limit) + 1;
    const qint64 lastDay = HasDateStop() ? std::min(m_DateStop, MaxDayNumber) : MaxDayNumber;
    qint64 available = run.CountBefore(lastDay + 1);
    if (HasMaxCount())
        available = std::min(available, std::max<qint64>(0, static_cast<qint64>(m_MaxCount) - m_MatchList.Count()));
    m_MatchList.AddWeekdayRun(run, static_cast<qint32>(std::min(untilLimit, available)));
    if (untilLimit > available)
        m_MatchList.SetComplete(true);
    return true;
}

bool TVemoraEntryBasic::IsOccurrenceDay(qint32 day)
{
    EnsureMatches(ClampDay(static_cast<qint64>(day) + m_AdvanceWarn));
    int index = 0;
    return m_MatchList.Find(day, index);
}

bool TVemoraEntryBasic::FindOccurrence(qint32 day, qint32& found, int direction)
{
    qint32 search = day;
    if (direction == FindNext) {
        if ((HasDateStop() && day > m_DateStop) || day >= MaxDayNumber)
            return false;
        search = day < m_DateStart ? m_DateStart : day + 1;
    } else if (day < m_DateStart) {
        return false;
    }
    EnsureMatches(search);
    int index = 0;
    const bool onDay = m_MatchList.Find(search, index);
    if (direction == FindNext) {
        if (index >= m_MatchList.Count())
            return false;
        found = m_MatchList.Item(index);
        return true;
    }
    if (onDay) {
        found = m_MatchList.Item(index);
        return true;
    }
    if (index == 0)
        return false;
    found = m_MatchList.Item(index - 1);
    return true;
}

bool TVemoraEntryBasic::IsInAdvanceWarning(qint32 day)
{
    if (IsOccurrenceDay(day) || m_AdvanceWarn == 0)
        return false;
    qint32 next = 0;
    if (!FindOccurrence(day, next, FindNext))
        return false;
    return static_cast<qint64>(day) >= static_cast<qint64>(next) - m_AdvanceWarn;
}

int TVemoraEntryBasic::IndexInOwner() const
{
    return m_Owner ? m_Owner->IndexOfEntry(this) : -1;
}

QString TVemoraEntryBasic::AlertText(qint32 day, std::optional<quint32>* count) const
{
    QString text = m_DisplayText;
    const qsizetype placeholder = text.indexOf(CountPlaceholder);
    if (placeholder < 0) {
        if (count)
            count->reset();
        return text;
    }
    int index = 0;
    m_MatchList.Find(day, index);
    if (count)
        *count = static_cast<quint32>(index);
    return text.replace(placeholder, CountPlaceholder.size(), QString::number(static_cast<quint32>(index)));
}

qint32 TVemoraEntryBasic::DaysAhead(qint32 day) const
{
    if (m_MatchList.Count() == 0)
        return 0;
    int index = 0;
    if (!m_MatchList.Find(day, index) && index >= m_MatchList.Count())
        index = m_MatchList.Count() - 1;
    return m_MatchList.Item(index) - day;
}

void TVemoraEntryBasic::FillListItem(TListRow& row, qint32 today)
{
    row.SetEntry(this);
    row.SetChecked(m_Active);
    const auto occurrence = [this, today](int direction) -> std::optional<qint32> {
        qint32 found = 0;
        return FindOccurrence(today, found, direction) ? std::optional<qint32>(found) : std::nullopt;
    };
    try {
        const std::optional<qint32> last = occurrence(FindOnOrBefore);
        const std::optional<qint32> next = occurrence(FindNext);
        row.SetOccurrences(last, next);
        row.SetImageIndex(last == today                 ? RowImageOccurrence
                          : IsInAdvanceWarning(today) ? RowImageAdvanceWarning
                                                      : RowImageNone);
    } catch (const std::runtime_error&) {
        // A damaged entry whose days run off the calendar still gets its row.
        row.SetOccurrences(std::nullopt, std::nullopt);
        row.SetImageIndex(RowImageNone);
    }
}

QString TVemoraEntryBasic::ListColumnText(int column)
{
    const auto occurrenceText = [this](int direction) {
        qint32 found = 0;
        try {
            if (FindOccurrence(Today(), found, direction))
                return DateToStr(found);
        } catch (const std::runtime_error&) {
        }
        return InParentheses(0x6B969439);
    };
    switch (column) {
    case 1: return DateToStr(m_DateStart);
    case 2: return m_DisplayText;
    case 3: return occurrenceText(FindOnOrBefore);
    case 4: return occurrenceText(FindNext);
    case 5: return QString::number(m_AdvanceWarn);
    case 6: return CategoryText();
    case 7: return m_Comment;
    case 8: return KindName(m_Kind);
    case 9: return QString::number(static_cast<quint32>(m_Repetition));
    case 10: return HasDateStop() ? DateToStr(m_DateStop) : InParentheses(0x3796806F);
    case 11: return HasMaxCount() ? QString::number(m_MaxCount) : InParentheses(0x266BD381);
    default: return QString();
    }
}

QString TVemoraEntryBasic::CategoryText() const
{
    if (m_Category == 0)
        return InParentheses(0x266BD381);
    QString name;
    if (m_Owner)
        m_Owner->Categories().NameOfId(m_Category, name);
    return name;
}

void TVemoraEntryBasic::SetDateStart(qint32 day)
{
    if (day == m_DateStart)
        return;
    m_DateStart = day;
    m_MatchList.Invalidate();
}

void TVemoraEntryBasic::SetDateStop(qint32 day)
{
    m_DateStop = day;
}

void TVemoraEntryBasic::SetMaxCount(qint32 count)
{
    m_MaxCount = count;
}

void TVemoraEntryBasic::SetRepetition(qint32 repetition)
{
    m_Repetition = repetition;
}

void TVemoraEntryBasic::SetActive(bool active)
{
    m_Active = active;
}

void TVemoraEntryBasic::SetComment(const QString& comment)
{
    if (comment != m_Comment)
        m_Comment = comment;
}

void TVemoraEntryBasic::SetDisplayText(const QString& text)
{
    if (text != m_DisplayText)
        m_DisplayText = text;
}

// File names compare as the platform compares them: with letter case on this system.
void TVemoraEntryBasic::SetMediafile(const QString& fileName)
{
    if (fileName != m_Mediafile)
        m_Mediafile = fileName;
}

void TVemoraEntryBasic::SetCategory(quint8 category)
{
    m_Category = category;
}

void TVemoraEntryBasic::SetIcon(quint8 icon)
{
    m_Icon = icon;
}

void TVemoraEntryBasic::SetAdvanceWarn(quint8 days)
{
    m_AdvanceWarn = days;
}

void TVemoraEntryBasic::SetNumber(quint16 number)
{
    m_Number = number;
}
