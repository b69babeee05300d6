#pragma once

#include "model/ListRow.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <array>
#include <optional>
#include <vector>

class TVemoraEntries;

// What a row of the entry list keeps of its entry: the entry (owned by the document, never by
// the row) and the values the sorting and the row mark need, computed once per fill.
struct TEntryListRow {
    TVemoraEntryBasic* Entry = nullptr;
    std::optional<qint32> Last;
    std::optional<qint32> Next;
    int Image = RowImageNone;
};

// A row with its place in the list.
struct TPlacedListRow {
    int Row;
    TEntryListRow Values;
};

// The sort rule of the entry list for a column id (0..11); negative, zero or positive as row1
// sorts before, with or after row2 in ascending order. Text columns compare as the user's
// locale orders them, ignoring letter case.
int ListViewEx1Compare(const TEntryListRow& row1, const TEntryListRow& row2, int sortKey);

// The entry list as rows over the document's entries, in display order. Rows are filled by the
// entries (TListRows) and sorted here; the texts are asked of the entries when shown.
class TEntryListModel : public QAbstractTableModel, public TListRows {
    Q_OBJECT
public:
    explicit TEntryListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;

    // TListRows: a whole fill is one model reset.
    void BeginUpdate() override;
    void EndUpdate() override;
    void ClearRows() override;
    void ReserveRows(int count) override;
    TListRow& AddRow() override;

    // The row images by index (6 occurrence today, 8 advance warning).
    void SetRowImage(int index, const QIcon& icon);

    const TEntryListRow& Row(int row) const { return m_Rows[static_cast<std::size_t>(row)]; }
    TVemoraEntryBasic* EntryAt(int row) const;
    int RowOfEntry(const TVemoraEntryBasic* entry) const;
    // The rows of these entries, ascending, in one pass over the list.
    std::vector<int> RowsOfEntries(const std::vector<TVemoraEntryBasic*>& entries) const;

    // Adds a row that the entry fills, sorts, and returns the row's place.
    int AddListItem(TVemoraEntryBasic* entry);
    // The entry fills its row again (after it was edited), then the list is sorted.
    void RefillRow(int row);
    // The row of a new entry of another kind, standing for the replaced one.
    void SetRowEntry(int row, TVemoraEntryBasic* entry);
    // Adds rows that the entries fill, sorted in among the others.
    void AddListItems(const std::vector<TVemoraEntryBasic*>& entries);
    // Removes the rows (ascending, each once) in one pass and gives them back with their
    // places: a run of rows as one removal, rows strewn over a long list as one reset, so that
    // neither costs a pass per row.
    std::vector<TPlacedListRow> TakeRows(const std::vector<int>& rows);
    // Puts taken rows back at their places, in one pass likewise; sorted again when the list
    // was sorted otherwise since they were taken (sortGeneration then).
    void PutBackRows(const std::vector<TPlacedListRow>& rows, int sortGeneration);
    // Counts the sorts: rows taken out know by it whether their places still hold.
    int SortGeneration() const { return m_SortGeneration; }
    // The check box of the entry's row shows its Active again.
    void ActiveChanged(const TVemoraEntryBasic* entry);
    // The category column of every row shows its entry's category again.
    void RefreshCategoryColumn();
    void Sort(int sortKey, bool ascending);
    // The order the next fill (EndUpdate) sorts in.
    void SetSortOrder(int sortKey, bool ascending);

signals:
    // The user toggled a row's check box and the entry's Active changed with it.
    void ActiveToggled(TVemoraEntryBasic* entry);

private:
    // Lets an entry fill one row.
    class TRowFiller final : public TListRow {
    public:
        explicit TRowFiller(TEntryListRow* row = nullptr)
            : m_Row(row)
        {
        }
        void SetEntry(TVemoraEntryBasic* entry) override { m_Row->Entry = entry; }
        void SetChecked(bool) override {} // the check box shows the entry's Active itself
        void SetImageIndex(int index) override { m_Row->Image = index; }
        void SetOccurrences(std::optional<qint32> last, std::optional<qint32> next) override
        {
            m_Row->Last = last;
            m_Row->Next = next;
        }

    private:
        TEntryListRow* m_Row;
    };

    void SortRows();
    std::vector<int> SortedOrder();
    // Where the row belongs among the others, which are in order: the place a stable sort
    // gives it, counted without the row itself.
    int SortedPlace(int row) const;
    // Moves a row whose values changed to its sorted place, in O(log n) comparisons.
    void MoveToSortedPlace(int row);

    std::vector<TEntryListRow> m_Rows;
    std::array<QString, EntryListColumnCount> m_Captions;
    std::array<QIcon, RowImageAdvanceWarning + 1> m_RowImages;
    TRowFiller m_Filler;
    int m_SortKey = 0;
    bool m_Ascending = false;
    // A check box toggled or categories renamed may leave rows out of their sorted order
    // until the next whole sort; a row then cannot be placed by a search among the others.
    bool m_OutOfOrder = false;
    int m_SortGeneration = 0;
};
