#pragma once

#include <QTableView>

#include <vector>

// The entry list: rows with a check box, whole-row and multiple selection, columns that can be
// reordered by dragging their headers, and optional grid lines.
class TListViewEx : public QTableView {
    Q_OBJECT
public:
    explicit TListViewEx(QWidget* parent = nullptr);

    // One logical column index per displayed column, in display order.
    std::vector<qint32> GetColumnOrder() const;
    // Shows the columns in that order; an array that is no permutation of the columns is ignored.
    void SetColumnOrder(const std::vector<qint32>& order);
    void SetAllSelected(bool selected);
    // The selected rows, top to bottom.
    std::vector<int> SelectedRows() const;
    int SelectedCount() const;
    // Selects these rows (ascending) alone, the first one current and in view.
    void SelectRows(const std::vector<int>& rows);

    void setModel(QAbstractItemModel* model) override;

protected:
    void changeEvent(QEvent* event) override;

signals:
    // A double click on a row.
    void ItemActivated();
    // The number of rows differs from that at the previous notification.
    void ItemCountChanged(int count);

private:
    void FitRowsToFont();
    void NotifyItemCount();

    int m_NotifiedCount = -1;
};
