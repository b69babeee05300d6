// The month overview beside the list: made with the window, kept in step with the document.
#include "ui/FormMain.h"

#include "model/VemoraEntries.h"
#include "platform/Registry.h"
#include "settings/SettingNames.h"
#include "ui/EntryListModel.h"
#include "ui/MonthOverview.h"
#include "ui_FormMain.h"

#include <QUndoStack>

namespace {

// Bumped when the docks change so much that an older layout would restore them wrongly.
constexpr int WindowLayoutVersion = 1;
constexpr int MaxWindowLayoutSize = 64 * 1024;

} // namespace

void TFormMain::CreateMonthOverview()
{
    m_MonthOverview = new TMonthOverview(*m_Entries, this);
    addDockWidget(Qt::RightDockWidgetArea, m_MonthOverview);
    m_MonthOverview->hide();
    // An item of our own rather than the dock's: the menu's captions and hot keys are set on it.
    auto* item = m_MonthOverviewItem = new QAction(this);
    item->setObjectName(QStringLiteral("MainMenuViewMonth"));
    item->setCheckable(true);
    m_Ui->MainMenuView->insertAction(m_Ui->MainMenuViewFont, item);
    connect(item, &QAction::triggered, m_MonthOverview, &QWidget::setVisible);
    connect(m_MonthOverview->toggleViewAction(), &QAction::toggled, item, &QAction::setChecked);
    const auto refresh = [this] { m_MonthOverview->ScheduleRefresh(); };
    connect(m_ListModel, &QAbstractItemModel::modelReset, this, refresh);
    connect(m_ListModel, &QAbstractItemModel::dataChanged, this, refresh);
    connect(m_ListModel, &QAbstractItemModel::rowsInserted, this, refresh);
    connect(m_ListModel, &QAbstractItemModel::rowsRemoved, this, refresh);
    connect(m_ListModel, &QAbstractItemModel::layoutChanged, this, refresh);
    connect(m_UndoStack, &QUndoStack::indexChanged, this, refresh);
    connect(m_MonthOverview, &TMonthOverview::EntriesChosen, this, [this](const std::vector<int>& indexes) {
        std::vector<TVemoraEntryBasic*> entries;
        for (int index : indexes)
            entries.push_back(m_Entries->Items(index));
        SelectEntries(entries);
    });
}

void TFormMain::LoadWindowLayout(TApplicationReg& store)
{
    if (store.ValueExists(SettingWindowLayout))
        restoreState(store.ReadBinaryData(SettingWindowLayout, MaxWindowLayoutSize), WindowLayoutVersion);
}

void TFormMain::SaveWindowLayout(TApplicationReg& store)
{
    store.WriteBinaryData(SettingWindowLayout, saveState(WindowLayoutVersion));
}
