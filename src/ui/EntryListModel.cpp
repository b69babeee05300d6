#include "ui/EntryListModel.h"

#include "model/EntryTypes.h"
#include "model/VemoraEntryBasic.h"
#include "support/DayNumbers.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace {

constexpr std::array<Qt::Alignment, EntryListColumnCount> ColumnAlignment = {
    Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignLeft,  Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight,
    Qt::AlignLeft, Qt::AlignLeft,    Qt::AlignHCenter, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignRight};

bool IsTextColumn(int sortKey)
{
    return sortKey == 2 || sortKey == 6 || sortKey == 7 || sortKey == 8;
}

QString SortText(const TVemoraEntryBasic& entry, int sortKey)
{
    switch (sortKey) {
    case 2: return entry.DisplayText();
    case 6: return entry.CategoryText();
    case 7: return entry.Comment();
    default: return KindName(entry.Kind());
    }
}

// The user's collation. Under the C locale Qt's sort keys compare code points, capitals first,
// whatever the case sensitivity: there the common collation of ICU's root stands in.
const QCollator& TextCollator()
{
    static const QCollator collator = [] {
        const QLocale system = QLocale::system();
        QCollator result(system.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : system);
        result.setCaseSensitivity(Qt::CaseInsensitive);
        return result;
    }();
    return collator;
}

template <typename T>
int CompareValues(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A missing value sorts before any present one.
int CompareOptional(bool has1, qint32 value1, bool has2, qint32 value2)
{
    if (!has1 || !has2)
        return CompareValues(has1, has2);
    return CompareValues(value1, value2);
}

int Sign(int value)
{
    return CompareValues(value, 0);
}

} // namespace

int ListViewEx1Compare(const TEntryListRow& row1, const TEntryListRow& row2, int sortKey)
{
    const TVemoraEntryBasic& e1 = *row1.Entry;
    const TVemoraEntryBasic& e2 = *row2.Entry;
    switch (sortKey) {
    case 0: return CompareValues(e1.Active(), e2.Active());
    case 1: return CompareValues(e1.DateStart(), e2.DateStart());
    case 3: return CompareOptional(row1.Last.has_value(), row1.Last.value_or(0), row2.Last.has_value(), row2.Last.value_or(0));
    case 4: return CompareOptional(row1.Next.has_value(), row1.Next.value_or(0), row2.Next.has_value(), row2.Next.value_or(0));
    case 5: return CompareValues(e1.AdvanceWarn(), e2.AdvanceWarn());
    case 9: return CompareValues(e1.Repetition(), e2.Repetition());
    case 10: return CompareOptional(e1.HasDateStop(), e1.DateStop(), e2.HasDateStop(), e2.DateStop());
    case 11: return CompareOptional(e1.HasMaxCount(), e1.MaxCount(), e2.HasMaxCount(), e2.MaxCount());
    default:
        if (IsTextColumn(sortKey))
            return Sign(TextCollator().compare(SortText(e1, sortKey), SortText(e2, sortKey)));
        return 0;
    }
}

TEntryListModel::TEntryListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int TEntryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_Rows.size());
}

int TEntryListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : EntryListColumnCount;
}

QVariant TEntryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TEntryListRow& row = Row(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return column == 0 ? QVariant() : QVariant(row.Entry->ListColumnText(column));
    case Qt::CheckStateRole:
        return column == 0 ? QVariant(row.Entry->Active() ? Qt::Checked : Qt::Unchecked) : QVariant();
    case Qt::DecorationRole:
        if (column == 0 && row.Image >= 0 && row.Image < static_cast<int>(m_RowImages.size()))
            return m_RowImages[static_cast<std::size_t>(row.Image)];
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(ColumnAlignment[static_cast<std::size_t>(column)] | Qt::AlignVCenter);
    default:
        return {};
    }
}

// Toggling the check box changes the entry at once and never moves the row.
bool TEntryListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    TVemoraEntryBasic* entry = EntryAt(index.row());
    const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
    if (!entry || entry->Active() == checked)
        return false;
    entry->SetActive(checked);
    ActiveChanged(entry);
    emit ActiveToggled(entry);
    return true;
}

Qt::ItemFlags TEntryListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0)
        result |= Qt::ItemIsUserCheckable;
    return result;
}

QVariant TEntryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= EntryListColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return m_Captions[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(ColumnAlignment[static_cast<std::size_t>(section)] | Qt::AlignVCenter);
    return {};
}

bool TEntryListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= EntryListColumnCount)
        return false;
    QString& caption = m_Captions[static_cast<std::size_t>(section)];
    if (caption == value.toString())
        return false;
    caption = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

void TEntryListModel::BeginUpdate()
{
    beginResetModel();
}

void TEntryListModel::EndUpdate()
{
    SortedOrder(); // nobody holds a row of a model being reset
    m_OutOfOrder = false;
    ++m_SortGeneration;
    endResetModel();
}

void TEntryListModel::ClearRows()
{
    m_Rows.clear();
}

void TEntryListModel::ReserveRows(int count)
{
    m_Rows.reserve(static_cast<std::size_t>(std::max(0, count)));
}

// Only called between BeginUpdate and EndUpdate: the row is filled before anyone looks.
TListRow& TEntryListModel::AddRow()
{
    m_Rows.emplace_back();
    m_Filler = TRowFiller(&m_Rows.back());
    return m_Filler;
}

void TEntryListModel::SetRowImage(int index, const QIcon& icon)
{
    if (index < 0 || index >= static_cast<int>(m_RowImages.size()))
        return;
    m_RowImages[static_cast<std::size_t>(index)] = icon;
}

TVemoraEntryBasic* TEntryListModel::EntryAt(int row) const
{
    return row >= 0 && row < rowCount() ? Row(row).Entry : nullptr;
}

int TEntryListModel::RowOfEntry(const TVemoraEntryBasic* entry) const
{
    const auto found = std::find_if(m_Rows.begin(), m_Rows.end(), [entry](const TEntryListRow& row) { return row.Entry == entry; });
    return found == m_Rows.end() ? -1 : static_cast<int>(found - m_Rows.begin());
}

std::vector<int> TEntryListModel::RowsOfEntries(const std::vector<TVemoraEntryBasic*>& entries) const
{
    const std::unordered_set<const TVemoraEntryBasic*> wanted(entries.begin(), entries.end());
    std::vector<int> rows;
    rows.reserve(entries.size());
    for (std::size_t row = 0; row < m_Rows.size() && rows.size() < wanted.size(); ++row)
        if (wanted.contains(m_Rows[row].Entry))
            rows.push_back(static_cast<int>(row));
    return rows;
}

int TEntryListModel::AddListItem(TVemoraEntryBasic* entry)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_Rows.emplace_back();
    TRowFiller filler(&m_Rows.back());
    entry->FillListItem(filler, Today());
    endInsertRows();
    MoveToSortedPlace(row);
    return RowOfEntry(entry);
}

void TEntryListModel::RefillRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    TRowFiller filler(&m_Rows[static_cast<std::size_t>(row)]);
    Row(row).Entry->FillListItem(filler, Today());
    emit dataChanged(index(row, 0), index(row, EntryListColumnCount - 1));
    MoveToSortedPlace(row);
}

int TEntryListModel::SortedPlace(int row) const
{
    const int direction = m_Ascending ? 1 : -1;
    const TEntryListRow& moved = Row(row);
    const auto other = [&](int place) -> const TEntryListRow& { return Row(place < row ? place : place + 1); };
    const auto firstWhere = [&](auto goesBefore) {
        int low = 0;
        int high = rowCount() - 1; // the others
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (goesBefore(other(middle)))
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    };
    const int equalFrom = firstWhere([&](const TEntryListRow& r) { return direction * ListViewEx1Compare(r, moved, m_SortKey) < 0; });
    const int equalTo = firstWhere([&](const TEntryListRow& r) { return direction * ListViewEx1Compare(r, moved, m_SortKey) <= 0; });
    // Among equal rows it keeps its place, as a stable sort would leave it.
    return std::clamp(row, equalFrom, equalTo);
}

void TEntryListModel::MoveToSortedPlace(int row)
{
    if (m_OutOfOrder)
        return SortRows();
    const int place = SortedPlace(row);
    if (place == row)
        return;
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), place > row ? place + 1 : place);
    const auto at = m_Rows.begin();
    if (place > row)
        std::rotate(at + row, at + row + 1, at + place + 1);
    else
        std::rotate(at + place, at + row, at + row + 1);
    endMoveRows();
}

void TEntryListModel::SetRowEntry(int row, TVemoraEntryBasic* entry)
{
    if (row >= 0 && row < rowCount() && entry)
        m_Rows[static_cast<std::size_t>(row)].Entry = entry;
}

void TEntryListModel::AddListItems(const std::vector<TVemoraEntryBasic*>& entries)
{
    if (entries.size() == 1) {
        AddListItem(entries.front());
        return;
    }
    BeginUpdate();
    ReserveRows(rowCount() + static_cast<int>(entries.size()));
    const qint32 today = Today();
    for (TVemoraEntryBasic* entry : entries)
        entry->FillListItem(AddRow(), today);
    EndUpdate();
}

std::vector<TPlacedListRow> TEntryListModel::TakeRows(const std::vector<int>& rows)
{
    std::vector<TPlacedListRow> taken;
    if (rows.empty() || rows.front() < 0 || rows.back() >= rowCount())
        return taken;
    taken.reserve(rows.size());
    for (int row : rows)
        taken.push_back({row, Row(row)});
    const int first = rows.front();
    const int last = rows.back();
    if (last - first + 1 == static_cast<int>(rows.size())) {
        beginRemoveRows(QModelIndex(), first, last);
        m_Rows.erase(m_Rows.begin() + first, m_Rows.begin() + last + 1);
        endRemoveRows();
        return taken;
    }
    beginResetModel();
    std::vector<bool> doomed(m_Rows.size());
    for (int row : rows)
        doomed[static_cast<std::size_t>(row)] = true;
    std::size_t kept = 0;
    for (std::size_t row = 0; row < m_Rows.size(); ++row)
        if (!doomed[row])
            m_Rows[kept++] = m_Rows[row];
    m_Rows.resize(kept);
    endResetModel();
    return taken;
}

void TEntryListModel::PutBackRows(const std::vector<TPlacedListRow>& rows, int sortGeneration)
{
    if (rows.empty())
        return;
    const int first = rows.front().Row;
    const int last = rows.back().Row;
    const std::size_t total = m_Rows.size() + rows.size();
    const auto disordered = [](const TPlacedListRow& a, const TPlacedListRow& b) { return a.Row >= b.Row; };
    if (first < 0 || static_cast<std::size_t>(last) >= total ||
        std::adjacent_find(rows.begin(), rows.end(), disordered) != rows.end())
        return;
    if (last - first + 1 == static_cast<int>(rows.size())) {
        beginInsertRows(QModelIndex(), first, last);
        std::vector<TEntryListRow> values;
        values.reserve(rows.size());
        for (const TPlacedListRow& row : rows)
            values.push_back(row.Values);
        m_Rows.insert(m_Rows.begin() + first, values.begin(), values.end());
        endInsertRows();
    } else {
        beginResetModel();
        std::vector<TEntryListRow> merged;
        merged.reserve(total);
        auto next = rows.begin();
        auto old = m_Rows.begin();
        while (merged.size() < total) {
            if (next != rows.end() && next->Row == static_cast<int>(merged.size()))
                merged.push_back((next++)->Values);
            else
                merged.push_back(*old++);
        }
        m_Rows = std::move(merged);
        endResetModel();
    }
    if (sortGeneration != m_SortGeneration)
        SortRows();
}

void TEntryListModel::ActiveChanged(const TVemoraEntryBasic* entry)
{
    const int row = RowOfEntry(entry);
    if (row < 0)
        return;
    m_OutOfOrder = m_OutOfOrder || m_SortKey == 0;
    emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
}

void TEntryListModel::RefreshCategoryColumn()
{
    m_OutOfOrder = m_OutOfOrder || m_SortKey == 6;
    if (rowCount() > 0)
        emit dataChanged(index(0, 6), index(rowCount() - 1, 6), {Qt::DisplayRole});
}

void TEntryListModel::Sort(int sortKey, bool ascending)
{
    m_OutOfOrder = false;
    m_SortKey = sortKey;
    m_Ascending = ascending;
    ++m_SortGeneration;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> newRowOfOld = SortedOrder();
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newRowOfOld[static_cast<std::size_t>(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TEntryListModel::SetSortOrder(int sortKey, bool ascending)
{
    m_SortKey = sortKey;
    m_Ascending = ascending;
    ++m_SortGeneration;
}

void TEntryListModel::SortRows()
{
    Sort(m_SortKey, m_Ascending);
}

// Sorts the rows stably (rows that compare equal keep their order) and returns, for each old
// row, its new place. Text columns compare by collation keys made once per row: comparing the
// texts themselves for every pair is far slower on long lists.
std::vector<int> TEntryListModel::SortedOrder()
{
    const std::size_t count = m_Rows.size();
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const int direction = m_Ascending ? 1 : -1;
    if (IsTextColumn(m_SortKey)) {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(count);
        for (const TEntryListRow& row : m_Rows)
            keys.push_back(TextCollator().sortKey(SortText(*row.Entry, m_SortKey)));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return direction * keys[static_cast<std::size_t>(a)].compare(keys[static_cast<std::size_t>(b)]) < 0;
        });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return direction * ListViewEx1Compare(m_Rows[static_cast<std::size_t>(a)], m_Rows[static_cast<std::size_t>(b)], m_SortKey) < 0;
        });
    }
    std::vector<TEntryListRow> sorted;
    sorted.reserve(count);
    std::vector<int> newRowOfOld(count);
    for (std::size_t position = 0; position < count; ++position) {
        sorted.push_back(m_Rows[static_cast<std::size_t>(order[position])]);
        newRowOfOld[static_cast<std::size_t>(order[position])] = static_cast<int>(position);
    }
    m_Rows = std::move(sorted);
    return newRowOfOld;
}
