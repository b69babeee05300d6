#pragma once

#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include <QString>

#include <memory>

// Builds entry files for the logon check tests, relative to today.
class TBatchFile {
public:
    // A one-off entry on today + offset, warned days ahead.
    TBatchFile& Once(const QString& text, int offset, quint8 advanceWarn = 0, bool active = true,
                     const QString& mediaFile = QString())
    {
        auto& entry = Add(std::make_unique<TVemoraEntryOnce>(), text, Today() + offset);
        entry.SetAdvanceWarn(advanceWarn);
        entry.SetActive(active);
        entry.SetMediafile(mediaFile);
        return *this;
    }

    // The message box style of the entry added last (0x10 error, 0x30 warning, 0x40 information).
    TBatchFile& WithIcon(quint8 style)
    {
        m_Entries.Items(m_Entries.Count() - 1)->SetIcon(style);
        return *this;
    }

    TBatchFile& DailySince(const QString& text, int daysAgo)
    {
        Add(std::make_unique<TVemoraEntryDaily>(), text, Today() - daysAgo).SetDayKind(dkAnyDay);
        return *this;
    }

    // A monthly entry starting before the year 1: its dates cannot be computed.
    TBatchFile& BeforeTheYearOne(const QString& text)
    {
        Add(std::make_unique<TVemoraEntryMonthly>(), text, MinDayNumber - 400);
        return *this;
    }

    QString Save(const QString& path) const
    {
        m_Entries.SaveToFile(path);
        return path;
    }

private:
    // As the editor leaves a new entry: no end, no maximum count, every day of its pattern.
    template <typename Entry> Entry& Add(std::unique_ptr<Entry> entry, const QString& text, qint32 start)
    {
        Entry& added = *entry;
        entry->SetDateStart(start);
        entry->SetDateStop(-1);
        entry->SetMaxCount(-1);
        entry->SetRepetition(1);
        entry->SetDisplayText(text);
        m_Entries.AddEntry(std::move(entry));
        return added;
    }

    TVemoraEntries m_Entries;
};
