#include "model/Matchlist.h"

#include "model/EntryStream.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntryBasic.h"

#include <QtEndian>

#include <algorithm>

namespace {

// Caches up to this many days are read at once; larger ones stay in the file until needed.
constexpr qint32 DaysReadAtOnce = 64;

} // namespace

TMatchlist::TMatchlist(TVemoraEntryBasic* entry)
    : m_Entry(entry)
{
}

void TMatchlist::Clear()
{
    Forget();
}

void TMatchlist::Add(qint32 day)
{
    m_Days.push_back(day);
}

void TMatchlist::AddWeekdayRun(const TWeekdayRun& run, qint32 count)
{
    if (count <= 0)
        return;
    if (m_Days.empty()) {
        if (!m_Run) {
            m_Run = std::make_shared<TWeekdayDayRun>(run, count);
            return;
        }
        const auto* weekdays = dynamic_cast<const TWeekdayDayRun*>(m_Run.get());
        if (weekdays && weekdays->IsContinuedBy(run)) {
            m_Run = std::make_shared<TWeekdayDayRun>(weekdays->Run(), weekdays->Count() + count);
            return;
        }
    }
    m_Days.reserve(m_Days.size() + static_cast<std::size_t>(count));
    for (qint32 item = 0; item < count; ++item)
        m_Days.push_back(static_cast<qint32>(run.Day(item)));
}

void TMatchlist::PrepareRun() const
{
    if (!m_Run || m_Run->Prepare())
        return;
    const qint32 reached = Last();
    Forget();
    if (m_Entry)
        m_Entry->EnsureMatches(reached);
}

void TMatchlist::Settle() const
{
    // Days that cannot be computed either are dropped: an entry must not be lost for its cache,
    // and its date error shows again when its days are next asked for.
    try {
        PrepareRun();
    } catch (const EDateOverflow&) {
        Forget();
    } catch (const EInvalidDate&) {
        Forget();
    }
}

void TMatchlist::Forget() const
{
    m_Run.reset();
    m_Days.clear();
    m_Valid = false;
    m_Complete = false;
}

qint32 TMatchlist::Item(int index) const
{
    if (m_Run && !m_Run->KnowsItem(index))
        PrepareRun();
    const int runCount = RunCount();
    if (index < runCount)
        return m_Run->Item(index);
    const std::size_t position = static_cast<std::size_t>(index - runCount);
    // Only a cache computed afresh in between can be shorter than the index asked for.
    return position < m_Days.size() ? m_Days[position] : Last();
}

std::vector<qint32> TMatchlist::Days() const
{
    PrepareRun();
    std::vector<qint32> days;
    days.reserve(static_cast<std::size_t>(Count()));
    for (int i = 0; i < RunCount(); ++i)
        days.push_back(m_Run->Item(i));
    days.insert(days.end(), m_Days.begin(), m_Days.end());
    return days;
}

qint32 TMatchlist::Last() const
{
    if (!m_Valid)
        return 0;
    if (!m_Days.empty())
        return m_Days.back();
    return m_Run ? m_Run->Last() : 0;
}

void TMatchlist::SetValid(bool valid)
{
    if (valid == m_Valid)
        return;
    if (!valid)
        Clear();
    m_Valid = valid;
}

void TMatchlist::Assign(const TMatchlist& other)
{
    Clear();
    m_Run = other.m_Run;
    m_Days = other.m_Days;
    m_Valid = other.m_Valid;
}

bool TMatchlist::Find(qint32 day, int& index) const
{
    if (m_Run && !m_Run->PrepareFrom(day))
        PrepareRun();
    if (m_Run && day <= m_Run->Last()) {
        index = m_Run->LowerBound(day);
        return m_Run->Item(index) == day;
    }
    const auto position = std::lower_bound(m_Days.begin(), m_Days.end(), day);
    index = RunCount() + static_cast<int>(position - m_Days.begin());
    return position != m_Days.end() && *position == day;
}

void TMatchlist::LoadFromStream(TEntryReader& reader)
{
    Clear();
    m_Valid = reader.ReadBool();
    const qint32 count = reader.ReadCount(4, "occurrence days");
    if (count > DaysReadAtOnce) {
        const TDayBlock block = reader.SkipDays(count);
        if (m_Valid && TStoredDayRun::Plausible(block))
            m_Run = std::make_shared<TStoredDayRun>(reader.Source(), block);
        else
            m_Valid = false;
    } else {
        reader.ReadInts(count, m_Days);
        // Lookups rely on strictly ascending days; a cache that is not is recomputed instead.
        if (!StrictlyAscending(m_Days))
            m_Valid = false;
    }
    m_Complete = reader.ReadBool();
    if (!m_Valid)
        Clear();
}

void TMatchlist::SaveToStream(TEntryWriter& writer) const
{
    // Stored days go over without being held; only when they cannot be read any more are they
    // computed afresh, which may count otherwise, so the count follows.
    if (!(m_Valid && m_Run && WriteValidDays(writer))) {
        Settle();
        if (!(m_Valid && WriteValidDays(writer))) {
            writer.WriteBool(false);
            writer.WriteInt(0);
        }
    }
    writer.WriteBool(m_Valid && m_Complete);
}

bool TMatchlist::WriteValidDays(TEntryWriter& writer) const
{
    const qsizetype runBytes = static_cast<qsizetype>(RunCount()) * 4;
    char* out = writer.Extend(5 + runBytes);
    if (m_Run && !m_Run->CopyDays(out + 5)) {
        writer.Retract(5 + runBytes);
        return false;
    }
    out[0] = 1;
    qToLittleEndian<qint32>(Count(), out + 1);
    writer.WriteInts(m_Days.data(), static_cast<qsizetype>(m_Days.size()));
    return true;
}
