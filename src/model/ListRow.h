#pragma once

#include <QString>

class TVemoraEntryBasic;

// One row of the entry list as the entries fill it; the list view implements it.
class TListRow {
public:
    virtual ~TListRow() = default;
    virtual void SetEntry(TVemoraEntryBasic* entry) = 0;
    virtual void SetChecked(bool checked) = 0;
    virtual void SetImageIndex(int index) = 0;
    virtual int SubItemCount() const = 0;
    virtual void AddSubItem(const QString& text) = 0;
    virtual void SetSubItem(int index, const QString& text) = 0;
};

// Images of the rows: due today, in the advance-warning period, none.
inline constexpr int RowImageOccurrence = 6;
inline constexpr int RowImageAdvanceWarning = 8;
inline constexpr int RowImageNone = -1;
inline constexpr int EntryListColumnCount = 12;

// The rows of the entry list: the list view implements it.
class TListRows {
public:
    virtual ~TListRows() = default;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void ClearRows() = 0;
    virtual void ReserveRows(int count) = 0;
    virtual TListRow& AddRow() = 0;
};
