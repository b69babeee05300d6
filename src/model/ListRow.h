#pragma once

#include <QtGlobal>

#include <optional>

class TVemoraEntryBasic;

// One row of the entry list as an entry fills it; the list view implements it. The row keeps
// what its sorting and marks need; the column texts are asked of the entry when shown
// (TVemoraEntryBasic::ListColumnText).
class TListRow {
public:
    virtual ~TListRow() = default;
    virtual void SetEntry(TVemoraEntryBasic* entry) = 0;
    virtual void SetChecked(bool checked) = 0;
    virtual void SetImageIndex(int index) = 0;
    // The occurrence on or before today and the next one after it; empty when there is none.
    virtual void SetOccurrences(std::optional<qint32> last, std::optional<qint32> next) = 0;
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
