#pragma once

#include "model/Categories.h"
#include "settings/FormEx.h"

#include <memory>
#include <optional>

class QAbstractButton;
class QEvent;
class QKeyEvent;
class QListWidgetItem;
class TVemoraEntries;

namespace Ui {
class FormCategories;
}

// Edits a copy of the category table of one entry file: names are added, renamed and deleted
// in the list box only; the caller takes the list back into the table when the dialog says so.
class TFormCategories : public TFormEx {
    Q_OBJECT
public:
    explicit TFormCategories(QWidget* parent = nullptr);
    ~TFormCategories() override;

    // True only when the dialog closed with OK and the list differs from the table.
    bool Execute(TVemoraEntries& entries, bool readOnly);
    // The list's items as (name, number), for TCategories::Assign.
    TCategoryStrings Categories() const;

    bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool readOnly);

    // sender ButtonNew: a new category; ButtonEdit: renames the one selected category.
    void ButtonEditClick(QAbstractButton* sender);
    void ButtonDeleteClick();
    void CheckButtons();
    void ListBoxCategoriesDblClick();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class TUpdate;

    // Lets the dialog close; turns OK into Cancel when there is nothing to take back.
    void FormCloseQuery(int& result) const;
    // Consumes the keys the dialog acts on before its controls see them.
    bool FormKeyDown(QKeyEvent* event);
    void BeginUpdate();
    void EndUpdate();
    void Reset();
    void FillList(const TCategoryStrings& categories);
    // Asks for a name until one is usable or the user cancels; except is the renamed item.
    std::optional<QString> AskName(const QString& title, QString name, const QListWidgetItem* except);
    bool IsNameTaken(const QString& name, const QListWidgetItem* except) const;
    std::optional<quint8> NextFreeNumber() const;
    void CentreOnScreen();

    std::unique_ptr<Ui::FormCategories> m_Ui;
    int m_UpdateCount = 0;
    bool m_ReadOnly = false;
    TVemoraEntries* m_Entries = nullptr;
    QString m_Caption;
};

// The one categories dialog of the program, made on first use and kept.
TFormCategories& FormCategories();
