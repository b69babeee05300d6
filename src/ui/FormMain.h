#pragma once

#include "settings/FormEx.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFileDialog;
class QFontDialog;
class QLabel;
class QMenu;
class QUndoStack;
class TAboutDLG;
class TEntryFilterModel;
class TEntryListModel;
class TFormEditDate;
class TVemoraEntryBasic;
class TListViewEx;
class TMenuHistoryFiles;
class TMenuItemHistoryFiles;
class TMonthOverview;
class TVemoraEntries;
struct TEntryDocument;

namespace Ui {
class FormMain;
}

// Rows of the action table: the commands whose menu item, pop-up item and tool button are
// enabled together.
enum TMainAction : int {
    maNewEntry,
    maEditEntry,
    maDeleteEntries,
    maPreview,
    maTest,
    maSave,
    maSaveAs,
    maUndo,
    maRedo,
    maReadOnlySwitch,
    MainActionCount
};

// The editor window of one entry file, the document: it owns the document's entries, lists
// them, and offers the document commands; it keeps the modified and read-only states and its
// view settings.
class TFormMain : public TFormExOf<QMainWindow> {
    Q_OBJECT
public:
    explicit TFormMain(QWidget* parent = nullptr);
    ~TFormMain() override;

    // Loads the file as the document; false, with nothing changed, for a file that is no entry
    // file of a version this program reads. EEntryFileError for a file that cannot be read.
    bool OpenFile(const QString& name);
    // Asks whether unsaved changes are to be saved; true when the caller may go on.
    bool QuerySave();
    // EEntryFileError when the file cannot be written; the document then stays modified.
    bool SaveTo(const QString& name);
    bool SaveAs();
    void SetFileName(const QString& name);
    const QString& FileName() const { return m_FileName; }
    void UpdateCaption();

    bool Modified() const { return m_Modified; }
    void SetModified(bool modified);
    bool ReadOnly() const { return m_ReadOnly; }
    void SetReadOnly(bool readOnly);
    bool ShowAutoRun() const { return m_ShowAutoRun; }
    void SetShowAutoRun(bool show) { m_ShowAutoRun = show; }
    TVemoraEntries& Entries() { return *m_Entries; }

    void UpdateActions();
    void SetActionEnabled(int row, bool enabled);
    bool ActionEnabled(int row) const;
    void BeginUpdate();
    void EndUpdate();

    // The view settings; each keeps its View menu item's check mark in step.
    void SetStatusbarVisible(bool visible);
    void SetSymbolbarVisible(bool visible);
    void SetGridLines(bool on);

    // The categories command, also run from the entry editor; true when the table changed.
    bool EditCategories();

    int SortKey() const { return m_SortKey; }
    bool SortAscending() const { return m_SortAscending; }

    TApplicationReg& GetRegistry() override;
    void LoadState() override;
    void SaveState() override;

    TListViewEx* ListViewEx1() const;
    TEntryListModel& ListModel() const { return *m_ListModel; }
    QUndoStack& UndoStack() const { return *m_UndoStack; }
    // The rows of the list that the find field leaves shown.
    TEntryFilterModel& FilterModel() const { return *m_FilterModel; }
    TMenuHistoryFiles& History() const { return *m_History; }
    QMenu* PopupMenu1() const { return m_PopupMenu; }
    QFileDialog* OpenDialog1() const { return m_OpenDialog; }
    QFileDialog* SaveDialog1() const { return m_SaveDialog; }
    QFileDialog* ImportDialog1() const { return m_ImportDialog; }
    QFontDialog* FontDialog1() const { return m_FontDialog; }
    TAboutDLG* AboutDLG1() const { return m_AboutDialog; }
    TMonthOverview& MonthOverview() const { return *m_MonthOverview; }

protected:
    // No menu of Qt's own on the tool bar or the menu bar: it would hide the tool bar behind
    // the View menu's back.
    QMenu* createPopupMenu() override { return nullptr; }
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void CreateDialogs();
    void LoadLanguageTexts();
    void SetCaptions();
    void SetIcons();
    void ConnectCommands();
    void CreateUndoActions();
    // Selects the rows of these entries, the first one current and in view.
    void SelectEntries(const std::vector<TVemoraEntryBasic*>& entries);
    void AssignMenuHotKeys();
    void SetColumnCaptions();
    void ModifiedChanged();
    bool FormCloseQuery();
    // Runs a command; an error it raises is shown and the program goes on.
    void RunCommand(const std::function<void()>& command);
    void RunGuarded(const std::function<void()>& command);

    void MainMenuFileNewClick();
    void MainMenuFileOpenClick();
    void MainMenuFileImportClick();
    void ImportFrom(const QString& fileName);
    void MainMenuFileSaveClick();
    void MainMenuFileSaveasClick();
    void MainMenuFileReadonlyClick();
    void MainMenuFileCloseClick();
    void HistoryClick(TMenuItemHistoryFiles* item);
    void MainMenuEditSelectallClick();
    void MainMenuEditNewClick();
    void MainMenuEditEditClick();
    void MainMenuEditDeleteClick();
    void MainMenuEditTestClick();
    void MainMenuEditPreviewClick();
    void MainMenuSettingsAutostartClick();
    void MainMenuSettingsLanguageClick();
    void MainMenuSettingsOtherOptionsClick();
    TVemoraEntryBasic* SelectedEntry() const;
    TFormEditDate& EntryEditor();
    void MainMenuViewSymbolbarClick();
    void MainMenuViewGridlinesClick();
    void MainMenuViewStatusbarClick();
    void MainMenuViewFontClick();
    void MainMenuHelpAboutClick();
    void MainMenuEditCategoriesClick() { EditCategories(); }
    void ListViewEx1ColumnClick(int column);
    void ListViewEx1Change();
    void UpdateCountPanel(int count);
    void ShowPopupMenu(const QPoint& position);
    void ConnectFind();
    void MainMenuEditFindClick();
    void CloseFind();
    void FindTextChanged(const QString& text);
    void SortList();
    void CreateMonthOverview();
    // The docks and bars: which are shown, where and how large.
    void LoadWindowLayout(TApplicationReg& store);
    void SaveWindowLayout(TApplicationReg& store);

    std::unique_ptr<Ui::FormMain> m_Ui;
    QString m_FileName;
    std::unique_ptr<TVemoraEntries> m_Entries;
    TEntryListModel* m_ListModel;
    TEntryFilterModel* m_FilterModel;
    // Every change of the document, to be undone; its clean state is the saved one.
    QUndoStack* m_UndoStack = nullptr;
    std::unique_ptr<TEntryDocument> m_Document;
    bool m_SortAscending = false;
    int m_SortKey = 0;
    std::unique_ptr<TMenuHistoryFiles> m_History;
    int m_UpdateDepth = 0;
    bool m_CommandRunning = false;
    std::array<std::array<QAction*, 3>, MainActionCount> m_ActionTable{};
    bool m_ReadOnly = false;
    bool m_ShowAutoRun = true;
    bool m_Modified = false;
    QMenu* m_PopupMenu;
    QLabel* m_StatePanel;
    QLabel* m_CountPanel;
    QFileDialog* m_OpenDialog = nullptr;
    QCheckBox* m_OpenReadOnly = nullptr;
    QFileDialog* m_SaveDialog = nullptr;
    QFileDialog* m_ImportDialog = nullptr;
    QFontDialog* m_FontDialog = nullptr;
    TAboutDLG* m_AboutDialog = nullptr;
    TMonthOverview* m_MonthOverview = nullptr;
    QAction* m_MonthOverviewItem = nullptr; // View > Month overview
};
