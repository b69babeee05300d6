#include "settings/MenuHistoryFiles.h"

#include <QMenu>

namespace {

QMenu* ParentMenu(const QAction* anchor)
{
    if (!anchor)
        return nullptr;
    for (QObject* object : anchor->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(object))
            return menu;
    return nullptr;
}

// The item following the anchor in the menu; null when the anchor is the last one.
QAction* ActionAfter(const QMenu& menu, const QAction* anchor)
{
    const QList<QAction*> actions = menu.actions();
    const qsizetype index = actions.indexOf(anchor);
    return index >= 0 && index + 1 < actions.size() ? actions[index + 1] : nullptr;
}

// A file name is shown as it is: "&" would otherwise mark an accelerator letter.
QString Caption(int number, const QString& fileName)
{
    return QString::number(number) + u' ' + QString(fileName).replace(u'&', QStringLiteral("&&"));
}

} // namespace

TMenuItemHistoryFiles::TMenuItemHistoryFiles(const QString& fileName, QObject* parent)
    : QAction(parent)
    , m_FileName(fileName)
{
}

TMenuHistoryFilesStringlist::TMenuHistoryFilesStringlist(TMenuHistoryFiles& menuHistory)
    : m_MenuHistory(menuHistory)
{
}

void TMenuHistoryFilesStringlist::Changed()
{
    if (ChangeEventsSuppressed())
        return;
    // Inside an update only the final state is worth showing; the update's end reports it.
    if (UpdateCount() == 0)
        m_MenuHistory.RebuildMenu();
    THistoryStringlist::Changed();
}

TMenuHistoryFiles::TMenuHistoryFiles(QObject* owner, QAction* anchor, TClickEvent onClick)
    : m_OnClick(std::make_shared<TClickEvent>(std::move(onClick)))
    , m_List(std::make_unique<TMenuHistoryFilesStringlist>(*this))
    , m_Owner(owner)
    , m_Anchor(anchor)
{
}

TMenuHistoryFiles::~TMenuHistoryFiles() = default;

void TMenuHistoryFiles::SetOnClick(TClickEvent onClick)
{
    *m_OnClick = std::move(onClick);
}

void TMenuHistoryFiles::RebuildMenu()
{
    QMenu* menu = ParentMenu(m_Anchor);
    if (!menu)
        return;
    RemoveItems(*menu);
    if (m_List->Count() == 0)
        return;
    QObject* parent = m_Owner ? m_Owner.data() : menu;
    auto* separator = new TMenuItemHistoryFiles(QString(), parent);
    separator->setSeparator(true);
    menu->insertAction(ActionAfter(*menu, m_Anchor), separator);
    for (int i = m_List->Count() - 1; i >= 0; --i) {
        TMenuItemHistoryFiles* item = CreateItem(m_List->Get(i), parent);
        item->setText(Caption(i + 1, item->FileName()));
        menu->insertAction(ActionAfter(*menu, m_Anchor), item);
    }
}

void TMenuHistoryFiles::RemoveItems(QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        if (auto* item = qobject_cast<TMenuItemHistoryFiles*>(action)) {
            menu.removeAction(item);
            // Later, not now: the item may be the one whose click led to this rebuild.
            item->deleteLater();
        }
    }
}

TMenuItemHistoryFiles* TMenuHistoryFiles::CreateItem(const QString& fileName, QObject* parent)
{
    auto* item = new TMenuItemHistoryFiles(fileName, parent);
    QObject::connect(item, &QAction::triggered, item, [item, onClick = m_OnClick] {
        if (*onClick)
            (*onClick)(item);
    });
    return item;
}
