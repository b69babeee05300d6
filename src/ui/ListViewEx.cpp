#include "ui/ListViewEx.h"

#include "ui/EntryFilterModel.h"

#include <QAbstractProxyModel>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

TListViewEx::TListViewEx(QWidget* parent)
    : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(false);
    setSortingEnabled(false); // the window sorts by its own rule
    setContextMenuPolicy(Qt::CustomContextMenu);
    verticalHeader()->hide();
    // Uniform rows keep scrolling through long lists cheap.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FitRowsToFont();
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(this, &QAbstractItemView::doubleClicked, this, &TListViewEx::ItemActivated);
}

// The rows are as high as the list's font needs, whichever font it is given.
void TListViewEx::FitRowsToFont()
{
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void TListViewEx::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        FitRowsToFont();
}

void TListViewEx::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    if (!model)
        return;
    connect(model, &QAbstractItemModel::rowsInserted, this, &TListViewEx::NotifyItemCount);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TListViewEx::NotifyItemCount);
    connect(model, &QAbstractItemModel::modelReset, this, &TListViewEx::NotifyItemCount);
    // A proxy shows more or fewer rows through a layout change.
    connect(model, &QAbstractItemModel::layoutChanged, this, &TListViewEx::NotifyItemCount);
    if (QAbstractItemModel* entries = EntryModel(); entries != model) {
        connect(entries, &QAbstractItemModel::rowsInserted, this, &TListViewEx::NotifyItemCount);
        connect(entries, &QAbstractItemModel::rowsRemoved, this, &TListViewEx::NotifyItemCount);
        connect(entries, &QAbstractItemModel::modelReset, this, &TListViewEx::NotifyItemCount);
    }
    NotifyItemCount();
}

std::vector<qint32> TListViewEx::GetColumnOrder() const
{
    const QHeaderView& header = *horizontalHeader();
    std::vector<qint32> order;
    order.reserve(static_cast<std::size_t>(header.count()));
    for (int position = 0; position < header.count(); ++position)
        order.push_back(header.logicalIndex(position));
    return order;
}

void TListViewEx::SetColumnOrder(const std::vector<qint32>& order)
{
    QHeaderView& header = *horizontalHeader();
    std::vector<qint32> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<qint32>(i))
            return;
    if (static_cast<int>(order.size()) != header.count())
        return;
    for (int position = 0; position < header.count(); ++position)
        header.moveSection(header.visualIndex(order[static_cast<std::size_t>(position)]), position);
}

void TListViewEx::SetAllSelected(bool selected)
{
    if (selected)
        selectAll();
    else
        clearSelection();
}

QAbstractItemModel* TListViewEx::EntryModel() const
{
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(model());
    return proxy ? proxy->sourceModel() : model();
}

// Rows are selected whole, so the selection's ranges give the rows.
std::vector<int> TListViewEx::SelectedRows() const
{
    std::vector<int> rows;
    if (!selectionModel())
        return rows;
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(model());
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(proxy ? proxy->mapToSource(model()->index(row, 0)).row() : row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// As ranges of neighbouring rows: selecting 100,000 rows put back by undo stays cheap.
void TListViewEx::SelectRows(const std::vector<int>& modelRows)
{
    if (!selectionModel())
        return;
    std::vector<int> rows = ViewRows(modelRows);
    if (rows.size() < modelRows.size()) {
        if (auto* filter = qobject_cast<TEntryFilterModel*>(model()))
            filter->SetFindText(QString());
        rows = ViewRows(modelRows);
    }
    QItemSelection selection;
    for (std::size_t first = 0, last = 0; first < rows.size(); first = ++last) {
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(model()->index(rows[first], 0), model()->index(rows[last], 0));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (rows.empty())
        return;
    const QModelIndex current = model()->index(rows.front(), 0);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    scrollTo(current, QAbstractItemView::EnsureVisible);
}

// The filter keeps the entry model's order, so ascending rows stay ascending.
std::vector<int> TListViewEx::ViewRows(const std::vector<int>& modelRows) const
{
    const auto* proxy = qobject_cast<const QAbstractProxyModel*>(model());
    if (!proxy)
        return modelRows;
    std::vector<int> rows;
    rows.reserve(modelRows.size());
    for (int row : modelRows)
        if (const QModelIndex shown = proxy->mapFromSource(EntryModel()->index(row, 0)); shown.isValid())
            rows.push_back(shown.row());
    return rows;
}

// From the selection's ranges, not row by row: selecting all of a long list stays cheap.
int TListViewEx::SelectedCount() const
{
    if (!selectionModel())
        return 0;
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        spans.emplace_back(range.top(), range.bottom());
    std::sort(spans.begin(), spans.end());
    int count = 0;
    int covered = -1; // the last row counted so far
    for (const auto& [top, bottom] : spans) {
        if (bottom > covered) {
            count += bottom - std::max(top, covered + 1) + 1;
            covered = bottom;
        }
    }
    return count;
}

void TListViewEx::NotifyItemCount()
{
    const std::pair<int, int> count(model() ? model()->rowCount() : 0, EntryModel() ? EntryModel()->rowCount() : 0);
    if (count == m_NotifiedCount)
        return;
    m_NotifiedCount = count;
    emit ItemCountChanged(count.first);
}
