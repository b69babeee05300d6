#include "model/Matchlist.h"

#include "model/EntryStream.h"

#include <algorithm>
#include <functional>

TMatchlist::TMatchlist(TVemoraEntryBasic* entry)
    : m_Entry(entry)
{
}

void TMatchlist::Clear()
{
    m_Days.clear();
    m_Valid = false;
    m_Complete = false;
}

void TMatchlist::Add(qint32 day)
{
    m_Days.push_back(day);
}

qint32 TMatchlist::Last() const
{
    return m_Valid && !m_Days.empty() ? m_Days.back() : 0;
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
    m_Days = other.m_Days;
    m_Valid = other.m_Valid;
}

bool TMatchlist::Find(qint32 day, int& index) const
{
    const auto position = std::lower_bound(m_Days.begin(), m_Days.end(), day);
    index = static_cast<int>(position - m_Days.begin());
    return position != m_Days.end() && *position == day;
}

void TMatchlist::LoadFromStream(TEntryReader& reader)
{
    Clear();
    m_Valid = reader.ReadBool();
    reader.ReadInts(reader.ReadCount(4, "occurrence days"), m_Days);
    // Lookups rely on strictly ascending days; a cache that is not is recomputed instead.
    if (std::adjacent_find(m_Days.begin(), m_Days.end(), std::greater_equal<qint32>()) != m_Days.end())
        m_Valid = false;
    m_Complete = reader.ReadBool();
    if (!m_Valid)
        Clear();
}

void TMatchlist::SaveToStream(TEntryWriter& writer) const
{
    writer.WriteBool(m_Valid);
    if (m_Valid) {
        writer.WriteInt(Count());
        for (qint32 day : m_Days)
            writer.WriteInt(day);
    } else {
        writer.WriteInt(0);
    }
    writer.WriteBool(m_Valid && m_Complete);
}
