#pragma once

#include <QSortFilterProxyModel>

#include <vector>

class TEntryListModel;

// The rows of the entry list that a find text leaves shown: those whose display text, comment
// or category name contains it, letter case and accents aside (FoldForSearch). The rows keep
// the entry list's order, and no entry is changed. Each row's texts are folded once and kept
// until the row changes, so that a keystroke costs one substring test per row.
class TEntryFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TEntryFilterModel(QObject* parent = nullptr);

    // Rows of a model other than an entry list are all shown.
    void setSourceModel(QAbstractItemModel* model) override;

    // Folds the texts of every row now, so that the keys typed next only compare.
    void BeginFind();
    // Shows all rows and forgets the folded texts.
    void EndFind();
    const QString& FindText() const { return m_FindText; }
    // Shows the rows that contain the text; an empty text shows all.
    void SetFindText(const QString& text);
    bool Filtering() const { return !m_Needle.isEmpty(); }

signals:
    void FindTextChanged(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    const QString& FoldedRow(int row) const;
    void InsertRows(int first, int last);
    void RemoveRows(int first, int last);
    void MoveRows(int first, int last, int destination);
    void ForgetRows(int first, int last);
    void ForgetAll();
    bool Holds(int row) const;

    TEntryListModel* m_Entries = nullptr;
    QString m_FindText;
    QString m_Needle; // the find text folded
    // Per row of the entry list: its texts folded, null until a search needs them. Empty
    // outside a find.
    mutable std::vector<QString> m_Folded;
};
