#pragma once

#include <QTableView>

#include <utility>
#include <vector>

// The entry list: rows with a check box, whole-row and multiple selection, columns that can be
// reordered by dragging their headers, and optional grid lines. Its model may be a proxy that
// filters the rows of the model beneath (TEntryFilterModel); rows given to it and taken from it
// are rows of that model, the entry model, whatever the view shows.
class TListViewEx : public QTableView {
    Q_OBJECT
public:
    explicit TListViewEx(QWidget* parent = nullptr);

    // One logical column index per displayed column, in display order.
    std::vector<qint32> GetColumnOrder() const;
    // Shows the columns in that order; an array that is no permutation of the columns is ignored.
    void SetColumnOrder(const std::vector<qint32>& order);
    // Selects all shown rows, or none.
    void SetAllSelected(bool selected);
    // The entry model's rows of the selected rows, ascending.
    std::vector<int> SelectedRows() const;
    int SelectedCount() const;
    // Selects these rows of the entry model (ascending) alone, the first one current and in
    // view; a find text that hides any of them is cleared first, so that an entry added or put
    // back is seen.
    void SelectRows(const std::vector<int>& modelRows);
    // The model beneath the proxy, else the view's model.
    QAbstractItemModel* EntryModel() const;

    void setModel(QAbstractItemModel* model) override;

protected:
    void changeEvent(QEvent* event) override;

signals:
    // A double click on a row.
    void ItemActivated();
    // The number of rows shown, or that of the entry model, differs from that at the previous
    // notification; count is the rows shown.
    void ItemCountChanged(int count);

private:
    void FitRowsToFont();
    void NotifyItemCount();
    // The view's rows of the entry model's rows, without those it does not show.
    std::vector<int> ViewRows(const std::vector<int>& modelRows) const;

    std::pair<int, int> m_NotifiedCount{-1, -1}; // shown, in the entry model
};
