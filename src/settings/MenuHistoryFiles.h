#pragma once

#include "settings/HistoryStringlist.h"

#include <QAction>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QMenu;
class TMenuHistoryFiles;

// A menu item of the recent-files list, holding the file it stands for. The separator that
// closes the list is one too, so that a rebuild finds and removes everything it added.
class TMenuItemHistoryFiles : public QAction {
    Q_OBJECT

public:
    explicit TMenuItemHistoryFiles(const QString& fileName, QObject* parent = nullptr);

    const QString& FileName() const { return m_FileName; }

private:
    QString m_FileName;
};

// The list behind the recent-files menu: every reported change rebuilds the menu first.
// While change events are suppressed a change neither rebuilds nor is reported.
class TMenuHistoryFilesStringlist : public THistoryStringlist {
public:
    explicit TMenuHistoryFilesStringlist(TMenuHistoryFiles& menuHistory);

protected:
    void Changed() override;

private:
    TMenuHistoryFiles& m_MenuHistory;
};

// The recent files as numbered items directly after an anchor item of a menu: anchor,
// "1 file", "2 file", ..., a separator, then the menu's following items.
class TMenuHistoryFiles {
public:
    using TClickEvent = std::function<void(TMenuItemHistoryFiles* item)>;

    // owner becomes the parent of the items (the menu when there is none).
    TMenuHistoryFiles(QObject* owner, QAction* anchor, TClickEvent onClick = {});
    ~TMenuHistoryFiles();
    TMenuHistoryFiles(const TMenuHistoryFiles&) = delete;
    TMenuHistoryFiles& operator=(const TMenuHistoryFiles&) = delete;

    THistoryStringlist& List() { return *m_List; }
    const THistoryStringlist& List() const { return *m_List; }
    QAction* Anchor() const { return m_Anchor; }
    // Applies to the items already shown as well.
    void SetOnClick(TClickEvent onClick);

    // Replaces the items after the anchor by the current list. Does nothing while the anchor
    // is in no menu.
    void RebuildMenu();

private:
    void RemoveItems(QMenu& menu);
    TMenuItemHistoryFiles* CreateItem(const QString& fileName, QObject* parent);

    // Shared with the items, which may outlive this object: they belong to the owner.
    std::shared_ptr<TClickEvent> m_OnClick;
    std::unique_ptr<TMenuHistoryFilesStringlist> m_List;
    QPointer<QObject> m_Owner;
    QPointer<QAction> m_Anchor;
};
