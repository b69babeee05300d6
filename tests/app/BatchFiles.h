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
        auto entry = std::make_unique<TVemoraEntryOnce>();
        entry->SetDateStart(Today() + offset);
        entry->SetDateStop(-1); // as the editor leaves a one-off entry
        entry->SetMaxCount(-1);
        entry->SetDisplayText(text);
        entry->SetAdvanceWarn(advanceWarn);
        entry->SetActive(active);
        entry->SetMediafile(mediaFile);
        m_Entries.AddEntry(std::move(entry));
        return *this;
    }

    TBatchFile& DailySince(const QString& text, int daysAgo)
    {
        auto entry = std::make_unique<TVemoraEntryDaily>();
        entry->SetDateStart(Today() - daysAgo);
        entry->SetDateStop(-1);
        entry->SetMaxCount(-1);
        entry->SetRepetition(1);
        entry->SetDayKind(dkAnyDay);
        entry->SetDisplayText(text);
        m_Entries.AddEntry(std::move(entry));
        return *this;
    }

    // A monthly entry starting before the year 1: its dates cannot be computed.
    TBatchFile& BeforeTheYearOne(const QString& text)
    {
        auto entry = std::make_unique<TVemoraEntryMonthly>();
        entry->SetDateStart(MinDayNumber - 400);
        entry->SetDisplayText(text);
        m_Entries.AddEntry(std::move(entry));
        return *this;
    }

    QString Save(const QString& path) const
    {
        m_Entries.SaveToFile(path);
        return path;
    }

private:
    TVemoraEntries m_Entries;
};
