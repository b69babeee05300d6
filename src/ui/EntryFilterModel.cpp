#include "ui/EntryFilterModel.h"

#include "model/VemoraEntryBasic.h"
#include "support/TextFolding.h"
#include "ui/EntryListModel.h"

#include <algorithm>

namespace {

// The texts a find text is looked for in, folded into one string: the separator keeps a match
// from spanning two of them, as no typed text holds it.
QString SearchedText(const TVemoraEntryBasic& entry)
{
    QString folded;
    folded.reserve(entry.DisplayText().size() + entry.Comment().size() + 32);
    AppendFoldedForSearch(folded, entry.DisplayText());
    folded += u'\n';
    AppendFoldedForSearch(folded, entry.Comment());
    // An entry without a category shows "(none)" in its column, which is no name to find.
    if (entry.Category() != 0) {
        folded += u'\n';
        AppendFoldedForSearch(folded, entry.CategoryText());
    }
    return folded;
}

} // namespace

TEntryFilterModel::TEntryFilterModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
}

// The folded texts follow their rows. These connections come before the proxy's own, which
// ask filterAcceptsRow about rows already placed anew.
void TEntryFilterModel::setSourceModel(QAbstractItemModel* model)
{
    // The proxy's own connections to the model would go with the ones below.
    if (model == sourceModel())
        return;
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    ForgetAll();
    m_Entries = qobject_cast<TEntryListModel*>(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) { InsertRows(first, last); });
        connect(model, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int last) { RemoveRows(first, last); });
        connect(model, &QAbstractItemModel::rowsMoved, this,
                [this](const QModelIndex&, int first, int last, const QModelIndex&, int destination) {
                    MoveRows(first, last, destination);
                });
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                    ForgetRows(topLeft.row(), bottomRight.row());
                });
        connect(model, &QAbstractItemModel::layoutChanged, this, &TEntryFilterModel::ForgetAll);
        connect(model, &QAbstractItemModel::modelReset, this, &TEntryFilterModel::ForgetAll);
    }
    QSortFilterProxyModel::setSourceModel(model);
}

void TEntryFilterModel::SetFindText(const QString& text)
{
    if (text == m_FindText)
        return;
    m_FindText = text;
    const QString needle = FoldForSearch(text);
    if (needle != m_Needle) {
        m_Needle = needle;
        // One layout change for the whole list: invalidateFilter would remove and insert each
        // run of rows apart, remapping all rows after each run.
        invalidate();
    }
    emit FindTextChanged(m_FindText);
}

void TEntryFilterModel::BeginFind()
{
    if (!m_Entries)
        return;
    for (int row = 0; row < m_Entries->rowCount(); ++row)
        FoldedRow(row);
}

void TEntryFilterModel::EndFind()
{
    SetFindText(QString());
    ForgetAll();
}

bool TEntryFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_Needle.isEmpty() || !m_Entries)
        return true;
    return FoldedRow(sourceRow).contains(m_Needle);
}

const QString& TEntryFilterModel::FoldedRow(int row) const
{
    const std::size_t count = static_cast<std::size_t>(m_Entries->rowCount());
    if (m_Folded.size() != count)
        m_Folded.assign(count, QString());
    QString& folded = m_Folded[static_cast<std::size_t>(row)];
    if (folded.isNull())
        folded = SearchedText(*m_Entries->Row(row).Entry);
    return folded;
}

void TEntryFilterModel::InsertRows(int first, int last)
{
    if (m_Folded.empty() || !Holds(first - 1))
        return ForgetAll();
    m_Folded.insert(m_Folded.begin() + first, static_cast<std::size_t>(last - first + 1), QString());
}

void TEntryFilterModel::RemoveRows(int first, int last)
{
    if (m_Folded.empty() || !Holds(last))
        return ForgetAll();
    m_Folded.erase(m_Folded.begin() + first, m_Folded.begin() + last + 1);
}

// As the entry list moves them: the rows first..last go before the row destination.
void TEntryFilterModel::MoveRows(int first, int last, int destination)
{
    if (m_Folded.empty() || !Holds(last) || !Holds(destination - 1))
        return ForgetAll();
    const auto at = m_Folded.begin();
    if (destination > last)
        std::rotate(at + first, at + last + 1, at + destination);
    else
        std::rotate(at + destination, at + first, at + last + 1);
}

void TEntryFilterModel::ForgetRows(int first, int last)
{
    if (m_Folded.empty() || !Holds(last))
        return ForgetAll();
    for (int row = first; row <= last; ++row)
        m_Folded[static_cast<std::size_t>(row)] = QString();
}

// Whether the folded rows reach to that row; they cannot fail to, short of a signal missed.
bool TEntryFilterModel::Holds(int row) const
{
    return row < static_cast<int>(m_Folded.size());
}

void TEntryFilterModel::ForgetAll()
{
    m_Folded = {};
}
