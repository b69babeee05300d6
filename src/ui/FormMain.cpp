#include "ui/FormMain.h"

#include "ui_FormMain.h"

#include "app/ErrorMessage.h"
#include "app/VemoraLibState.h"
#include "model/VemoraEntries.h"
#include "settings/MenuHistoryFiles.h"
#include "settings/SettingNames.h"
#include "support/About.h"
#include "support/AboutInfo.h"
#include "support/DLGLanguage.h"
#include "support/FileFilters.h"
#include "support/HotKeysWidgets.h"
#include "support/NLS.h"
#include "ui/EntryCommands.h"
#include "ui/EntryFilterModel.h"
#include "ui/EntryListModel.h"
#include "ui/MonthOverview.h"
#include "ui/ListViewEx.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include <unordered_set>

namespace {

const QString ListViewKey = QStringLiteral("ListViewEx1");
constexpr int StatePanelWidth = 90;
constexpr int CountPanelWidth = 50;

struct TCaptionGroup {
    quint32 TextId;
    const char* DesignCaption;
    std::vector<QAction*> Items;
    QAction* ToolButton;
    bool Ellipsis;
};

struct TColumn {
    quint32 TextId;
    const char* DesignCaption;
    int Width; // 0: the view's default
};

const std::array<TColumn, EntryListColumnCount> Columns = {{
    {0x1DD936B4, "Aktiv", 40},
    {0x4A53787F, "Start", 0},
    {0x030ECC68, "Anzeigetext", 250},
    {0x6374F04E, "letzter Termin", 100},
    {0x16314107, "nächster Termin", 100},
    {0x56796A4D, "Vorwarnzeit", 80},
    {0x5531DA22, "Kategorie", 80},
    {0x48F2ED71, "Bemerkung", 150},
    {0x0ABE98B8, "Zyklus", 0},
    {0x08F47678, "Wiederholung", 80},
    {0x01835056, "Endet am", 60},
    {0x6FD10A87, "Endet nach", 70},
}};

// The pictures of the tool buttons (0 to 7) and the row marks (6 today, 8 advance warning):
// the desktop's icons where its theme has them, the style's elsewhere.
struct TImage {
    const char* ThemeName;
    const char* SecondThemeName;
    QStyle::StandardPixmap Fallback;
};

const std::array<TImage, 9> ImageList1 = {{
    {"document-new", nullptr, QStyle::SP_FileIcon},
    {"document-open", nullptr, QStyle::SP_DialogOpenButton},
    {"document-save", nullptr, QStyle::SP_DialogSaveButton},
    {"list-add", nullptr, QStyle::SP_FileDialogNewFolder},
    {"list-remove", nullptr, QStyle::SP_TrashIcon},
    {"document-edit", "document-properties", QStyle::SP_FileDialogDetailedView},
    {"dialog-information", nullptr, QStyle::SP_MessageBoxInformation},
    {"document-print-preview", nullptr, QStyle::SP_FileDialogContentsView},
    {"appointment-soon", nullptr, QStyle::SP_MessageBoxWarning},
}};

QIcon Image(const QWidget& window, int index)
{
    const TImage& image = ImageList1[static_cast<std::size_t>(index)];
    QIcon fallback = window.style()->standardIcon(image.Fallback, nullptr, &window);
    if (image.SecondThemeName)
        fallback = QIcon::fromTheme(QLatin1String(image.SecondThemeName), fallback);
    return QIcon::fromTheme(QLatin1String(image.ThemeName), fallback);
}

// A value of the open key, or the fallback when it is missing or of another type.
bool ReadBoolOr(TApplicationReg& store, const QString& name, bool fallback)
{
    QVariant value;
    return store.ReadValue(name, value, vtBoolean) ? value.toBool() : fallback;
}

QList<QAction*> MenuLevel(const QList<QAction*>& actions)
{
    QList<QAction*> level;
    for (QAction* action : actions)
        if (!action->isSeparator())
            level.append(action);
    return level;
}

// Accelerators are chosen per level: the items of one menu compete only with each other.
void AssignHotKeysRecursively(const QList<QAction*>& actions)
{
    AssignHotKeys(MenuLevel(actions));
    for (QAction* action : actions)
        if (QMenu* submenu = action->menu())
            AssignHotKeysRecursively(submenu->actions());
}

} // namespace

TFormMain::TFormMain(QWidget* parent)
    : TFormExOf<QMainWindow>(parent)
    , m_Ui(std::make_unique<Ui::FormMain>())
    , m_ListModel(new TEntryListModel(this))
    , m_FilterModel(new TEntryFilterModel(this))
    , m_PopupMenu(new QMenu(this))
    , m_StatePanel(new QLabel(this))
    , m_CountPanel(new QLabel(this))
{
    m_Ui->setupUi(this);
    m_FilterModel->setSourceModel(m_ListModel);
    m_Ui->ListViewEx1->setModel(m_FilterModel);
    m_PopupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    m_PopupMenu->addActions({m_Ui->PopupNew, m_Ui->PopupEdit, m_Ui->PopupDelete});
    m_PopupMenu->addSeparator();
    m_PopupMenu->addActions({m_Ui->PopupTest, m_Ui->PopupPreview});
    m_StatePanel->setObjectName(QStringLiteral("StatusBar1Panel0"));
    m_StatePanel->setMinimumWidth(StatePanelWidth);
    m_CountPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    m_CountPanel->setMinimumWidth(CountPanelWidth);
    m_Ui->StatusBar1->addWidget(m_StatePanel);
    m_Ui->StatusBar1->addWidget(m_CountPanel);
    FormCreate();
}

TFormMain::~TFormMain()
{
    if (!BatchMode)
        SaveState();
    // The kept dialogs store their state as they go, under the program's key, which they reach
    // through this window: they go while it is still there.
    qDeleteAll(findChildren<QDialog*>(Qt::FindDirectChildrenOnly));
    // The commands hold entries that refer to the list, and the rows refer to the entries:
    // they go first.
    m_UndoStack->clear();
    m_Ui->ListViewEx1->setModel(nullptr);
}

void TFormMain::FormCreate()
{
    SetTrackSize(0, 132);
    SetTrackSize(1, 136);
    m_Ui->ListViewEx1->horizontalHeader()->setSectionsMovable(true);
    m_Entries = std::make_unique<TVemoraEntries>();
    m_UndoStack = new QUndoStack(this);
    m_Document = std::make_unique<TEntryDocument>(
        TEntryDocument{*m_Entries, *m_ListModel, [this](const std::vector<TVemoraEntryBasic*>& entries) { SelectEntries(entries); }});
    m_History = std::make_unique<TMenuHistoryFiles>(this, m_Ui->MainMenuFileReadonly,
                                                    [this](TMenuItemHistoryFiles* item) {
                                                        RunCommand([this, item] { HistoryClick(item); });
                                                    });
    SetFontKey(QStringLiteral("Font"));
    m_ShowAutoRun = true;
    for (int column = 0; column < EntryListColumnCount; ++column)
        if (const int width = Columns[static_cast<std::size_t>(column)].Width)
            m_Ui->ListViewEx1->setColumnWidth(column, width);
    CreateDialogs();
    CreateMonthOverview();
    LoadState();
    LoadLanguageTexts();
    CreateUndoActions();
    m_ActionTable = {{
        {m_Ui->MainMenuEditNew, m_Ui->PopupNew, m_Ui->ToolButtonEntryNew},
        {m_Ui->MainMenuEditEdit, m_Ui->PopupEdit, m_Ui->ToolButtonEntryEdit},
        {m_Ui->MainMenuEditDelete, m_Ui->PopupDelete, m_Ui->ToolButtonEntryDelete},
        {m_Ui->MainMenuEditPreview, m_Ui->PopupPreview, m_Ui->ToolButtonEntryPreview},
        {m_Ui->MainMenuEditTest, m_Ui->PopupTest, m_Ui->ToolButtonEntryTest},
        {m_Ui->MainMenuFileSave, nullptr, m_Ui->ToolButtonSave},
        {m_Ui->MainMenuFileSaveas, nullptr, nullptr},
        {m_Ui->MainMenuEditUndo, nullptr, nullptr},
        {m_Ui->MainMenuEditRedo, nullptr, nullptr},
        {m_Ui->MainMenuFileReadonly, nullptr, nullptr},
    }};
    m_Ui->MainMenuEditNew->setShortcut(Qt::Key_Insert);
    m_Ui->PopupNew->setShortcut(Qt::Key_Insert);
    // The keypad's Enter is Enter as well; the menu shows the first key.
    const QList<QKeySequence> enter = {Qt::Key_Return, Qt::Key_Enter};
    const QList<QKeySequence> altEnter = {QKeyCombination(Qt::AltModifier, Qt::Key_Return),
                                          QKeyCombination(Qt::AltModifier, Qt::Key_Enter)};
    m_Ui->MainMenuEditEdit->setShortcuts(enter);
    m_Ui->PopupEdit->setShortcuts(enter);
    m_Ui->MainMenuEditDelete->setShortcut(Qt::Key_Delete);
    m_Ui->PopupDelete->setShortcut(Qt::Key_Delete);
    m_Ui->MainMenuEditTest->setShortcuts(altEnter);
    m_Ui->PopupTest->setShortcuts(altEnter);
    // The platform's keys for the file commands, so that desktops that bind them otherwise
    // are followed; closing the window is also quitting the program.
    m_Ui->MainMenuFileNew->setShortcuts(QKeySequence::New);
    m_Ui->MainMenuFileOpen->setShortcuts(QKeySequence::Open);
    m_Ui->MainMenuFileSave->setShortcuts(QKeySequence::Save);
    m_Ui->MainMenuFileSaveas->setShortcuts(QKeySequence::SaveAs);
    QList<QKeySequence> quit = QKeySequence::keyBindings(QKeySequence::Quit);
    if (quit.isEmpty()) // a platform theme without one
        quit.append(QKeyCombination(Qt::ControlModifier, Qt::Key_Q));
    m_Ui->MainMenuFileClose->setShortcuts(QKeySequence::keyBindings(QKeySequence::Close) + quit);
    SetCaptions();
    AssignMenuHotKeys();
    SetColumnCaptions();
    const QStringList filters =
        FileDialogNameFilters(LanguageText(0x6DD555EF, QStringLiteral("Konfigurationsdateien (*.vkd)|*.vkd")));
    m_OpenDialog->setNameFilters(filters);
    m_SaveDialog->setNameFilters(filters);
    m_SaveDialog->setDefaultSuffix(QStringLiteral("vkd"));
    m_ImportDialog->setWindowTitle(FirstCharUpper(LanguageText(0x5D41A734, QStringLiteral("Importieren"))));
    m_ImportDialog->setNameFilters(FileDialogNameFilters(LanguageText(
        0x5D41A735, QStringLiteral("Kalender und Adressbücher|*.ics;*.ical;*.ifb;*.vcf;*.vcard|Alle Dateien|*"))));
    m_OpenReadOnly->setText(FirstCharUpper(LanguageText(0x63207BB2, m_OpenReadOnly->text())));
    m_Entries->RegisterHandler(flagModified, [this](TFlagObjectCustum& entries) {
        if (entries.GetFlag(flagModified))
            SetModified(true);
    });
    connect(m_Ui->ListViewEx1, &TListViewEx::ItemCountChanged, this, &TFormMain::UpdateCountPanel);
    UpdateCountPanel(m_ListModel->rowCount());
    SetIcons();
    ConnectCommands();
    UpdateCaption();
    SetModified(false);
}

void TFormMain::CreateDialogs()
{
    m_OpenDialog = new QFileDialog(this);
    m_OpenDialog->setObjectName(QStringLiteral("OpenDialog1"));
    m_OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_OpenDialog->setFileMode(QFileDialog::ExistingFile);
    m_OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_OpenDialog->setDefaultSuffix(QStringLiteral("vkd"));
    // The read-only check box below the dialog's own controls.
    m_OpenReadOnly = new QCheckBox(QStringLiteral("Schreibgeschützt"), m_OpenDialog);
    m_OpenReadOnly->setObjectName(QStringLiteral("CheckBoxReadOnly"));
    if (auto* grid = qobject_cast<QGridLayout*>(m_OpenDialog->layout()))
        grid->addWidget(m_OpenReadOnly, grid->rowCount(), 0, 1, grid->columnCount());

    m_ImportDialog = new QFileDialog(this);
    m_ImportDialog->setObjectName(QStringLiteral("ImportDialog1"));
    m_ImportDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_ImportDialog->setFileMode(QFileDialog::ExistingFile);
    m_ImportDialog->setAcceptMode(QFileDialog::AcceptOpen);

    m_SaveDialog = new QFileDialog(this);
    m_SaveDialog->setObjectName(QStringLiteral("SaveDialog1"));
    m_SaveDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_SaveDialog->setFileMode(QFileDialog::AnyFile);
    m_SaveDialog->setAcceptMode(QFileDialog::AcceptSave);

    m_FontDialog = new QFontDialog(this);
    m_FontDialog->setObjectName(QStringLiteral("FontDialog1"));
    m_FontDialog->setOption(QFontDialog::DontUseNativeDialog);

    m_AboutDialog = new TAboutDLG(this);
    m_AboutDialog->setObjectName(QStringLiteral("AboutDLG1"));
    ConfigureAboutDialog(*m_AboutDialog);
}

// A first start asks for the language before anything is shown; a language chosen then is
// used at once, also when a message before the window loaded the texts already.
void TFormMain::LoadLanguageTexts()
{
    bool chosen = false;
    if (LanguageFilename().isEmpty() || CountryFilename().isEmpty()) {
        TLanguagePair pair{CountryFilename(), LanguageFilename()};
        chosen = TDLGLanguage::Execute(pair, TNLSFileNames[nlsLanguagePrefix]);
        if (chosen) {
            CountryFilename() = pair[nlsCountryPrefix];
            LanguageFilename() = pair[nlsLanguagePrefix];
        }
    }
    if (IsLanguageLoaded() && !chosen)
        return;
    const int error = LoadLanguage(CountryFilename(), LanguageFilename());
    if (error == 0)
        return;
    if (!LanguageFilename().isEmpty() && !CountryFilename().isEmpty())
        ShowErrorMessage(QStringLiteral("Error %1 while opening national language support").arg(error));
    else
        ShowErrorMessage(QStringLiteral("I am speechless..."));
}

void TFormMain::SetCaptions()
{
    const std::vector<TCaptionGroup> groups = {
        {0x3BB8ACFC, "Datei", {m_Ui->MainMenuFile->menuAction()}, nullptr, false},
        {0x01B01BE2, "Neu", {m_Ui->MainMenuFileNew}, m_Ui->ToolButtonNew, false},
        {0x13571950, "Öffnen...", {m_Ui->MainMenuFileOpen}, m_Ui->ToolButtonOpen, true},
        {0x5D41A734, "Importieren...", {m_Ui->MainMenuFileImport}, nullptr, true},
        {0x1DBE5FCA, "Speichern", {m_Ui->MainMenuFileSave}, m_Ui->ToolButtonSave, false},
        {0x3EF20680, "Speichern unter...", {m_Ui->MainMenuFileSaveas}, nullptr, true},
        {0x63207BB2, "Schreibgeschützt", {m_Ui->MainMenuFileReadonly}, nullptr, false},
        {0x0B72B281, "Beenden", {m_Ui->MainMenuFileClose}, nullptr, false},
        {0x361244F2, "Bearbeiten", {m_Ui->MainMenuEdit->menuAction()}, nullptr, false},
        {0x01B01BE2, "Neu...", {m_Ui->MainMenuEditNew, m_Ui->PopupNew}, m_Ui->ToolButtonEntryNew, true},
        {0x361244F2, "Bearbeiten...", {m_Ui->MainMenuEditEdit, m_Ui->PopupEdit}, m_Ui->ToolButtonEntryEdit, true},
        {0x296476DD, "Löschen", {m_Ui->MainMenuEditDelete, m_Ui->PopupDelete}, m_Ui->ToolButtonEntryDelete, false},
        {0x7F37F876, "Alles auswählen", {m_Ui->MainMenuEditSelectall}, nullptr, false},
        {0x5D41A722, "Suchen", {m_Ui->MainMenuEditFind}, nullptr, false},
        {0x6738D18F, "Testen...", {m_Ui->MainMenuEditTest, m_Ui->PopupTest}, m_Ui->ToolButtonEntryTest, true},
        {0x3E1F5CCB, "Vorschau...", {m_Ui->MainMenuEditPreview, m_Ui->PopupPreview}, m_Ui->ToolButtonEntryPreview, true},
        {0x3BA75637, "Kategorien...", {m_Ui->MainMenuEditCategories}, nullptr, true},
        {0x49DA3166, "Ansicht", {m_Ui->MainMenuView->menuAction()}, nullptr, false},
        {0x35593108, "Symbolleiste", {m_Ui->MainMenuViewSymbolbar}, nullptr, false},
        {0x5D41A770, "Monatsübersicht", {m_MonthOverviewItem}, nullptr, false},
        {0x67B3923A, "Schriftart...", {m_Ui->MainMenuViewFont}, nullptr, true},
        {0x61A69831, "Statusleiste", {m_Ui->MainMenuViewStatusbar}, nullptr, false},
        {0x151F3B37, "Gitternetzlinien", {m_Ui->MainMenuViewGridlines}, nullptr, false},
        {0x2C6BD492, "Einstellungen", {m_Ui->MainMenuSettings->menuAction()}, nullptr, false},
        {0x239F887A, "Automatischer Start...", {m_Ui->MainMenuSettingsAutostart}, nullptr, true},
        {0x745A3E03, "Sprache...", {m_Ui->MainMenuSettingsLanguage}, nullptr, true},
        {0x64680CD2, "Weitere Einstellungen...", {m_Ui->MainMenuSettingsOtherOptions}, nullptr, true},
        {0x405F39B8, "Hilfe", {m_Ui->MainMenuHelp->menuAction()}, nullptr, false},
        {0x5099D105, "Über...", {m_Ui->MainMenuHelpAbout}, nullptr, true},
    };
    m_MonthOverview->SetCaptions();
    for (const TCaptionGroup& group : groups) {
        QString text = FirstCharUpper(LanguageText(group.TextId, QString::fromUtf8(group.DesignCaption)));
        if (group.Ellipsis)
            text = EnsureEllipsis(text);
        for (QAction* item : group.Items)
            item->setText(text);
        if (group.ToolButton) {
            group.ToolButton->setText(text);
            group.ToolButton->setToolTip(text);
        }
    }
}

void TFormMain::AssignMenuHotKeys()
{
    AssignHotKeysRecursively(m_Ui->MainMenu1->actions());
    AssignHotKeysRecursively(m_PopupMenu->actions());
}

// Columns still at their design width grow to show their caption (and the first one its check
// box beside the row mark); widths the user chose stay.
void TFormMain::SetColumnCaptions()
{
    QHeaderView& header = *m_Ui->ListViewEx1->horizontalHeader();
    const QStyle& style = *m_Ui->ListViewEx1->style();
    const int checkAndMark = style.pixelMetric(QStyle::PM_IndicatorWidth) + style.pixelMetric(QStyle::PM_SmallIconSize) + 16;
    for (int column = 0; column < EntryListColumnCount; ++column) {
        const TColumn& design = Columns[static_cast<std::size_t>(column)];
        m_ListModel->setHeaderData(column, Qt::Horizontal,
                                   FirstCharUpper(LanguageText(design.TextId, QString::fromUtf8(design.DesignCaption))),
                                   Qt::DisplayRole);
        const int designWidth = design.Width ? design.Width : header.defaultSectionSize();
        if (header.sectionSize(column) != designWidth)
            continue;
        const int needed = std::max(header.sectionSizeHint(column), column == 0 ? checkAndMark : 0);
        header.resizeSection(column, std::max(designWidth, needed));
    }
}

void TFormMain::SetIcons()
{
    const std::array<QAction*, 8> buttons = {m_Ui->ToolButtonNew,        m_Ui->ToolButtonOpen,
                                             m_Ui->ToolButtonSave,       m_Ui->ToolButtonEntryNew,
                                             m_Ui->ToolButtonEntryDelete, m_Ui->ToolButtonEntryEdit,
                                             m_Ui->ToolButtonEntryTest,  m_Ui->ToolButtonEntryPreview};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setIcon(Image(*this, static_cast<int>(i)));
        if (QWidget* button = m_Ui->ToolBar1->widgetForAction(buttons[i]))
            button->setObjectName(buttons[i]->objectName());
    }
    m_Ui->MainMenuFileNew->setIcon(Image(*this, 0));
    m_Ui->MainMenuFileOpen->setIcon(Image(*this, 1));
    m_Ui->MainMenuFileSave->setIcon(Image(*this, 2));
    m_ListModel->SetRowImage(RowImageOccurrence, Image(*this, RowImageOccurrence));
    m_ListModel->SetRowImage(RowImageAdvanceWarning, Image(*this, RowImageAdvanceWarning));
}

void TFormMain::ConnectCommands()
{
    const auto bind = [this](QAction* action, void (TFormMain::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    };
    bind(m_Ui->MainMenuFileNew, &TFormMain::MainMenuFileNewClick);
    bind(m_Ui->ToolButtonNew, &TFormMain::MainMenuFileNewClick);
    bind(m_Ui->MainMenuFileOpen, &TFormMain::MainMenuFileOpenClick);
    bind(m_Ui->ToolButtonOpen, &TFormMain::MainMenuFileOpenClick);
    bind(m_Ui->MainMenuFileImport, &TFormMain::MainMenuFileImportClick);
    bind(m_Ui->MainMenuFileSave, &TFormMain::MainMenuFileSaveClick);
    bind(m_Ui->ToolButtonSave, &TFormMain::MainMenuFileSaveClick);
    bind(m_Ui->MainMenuFileSaveas, &TFormMain::MainMenuFileSaveasClick);
    bind(m_Ui->MainMenuFileReadonly, &TFormMain::MainMenuFileReadonlyClick);
    bind(m_Ui->MainMenuFileClose, &TFormMain::MainMenuFileCloseClick);
    bind(m_Ui->MainMenuEditSelectall, &TFormMain::MainMenuEditSelectallClick);
    const std::array<std::pair<int, void (TFormMain::*)()>, 5> entryCommands = {{
        {maNewEntry, &TFormMain::MainMenuEditNewClick},
        {maEditEntry, &TFormMain::MainMenuEditEditClick},
        {maDeleteEntries, &TFormMain::MainMenuEditDeleteClick},
        {maPreview, &TFormMain::MainMenuEditPreviewClick},
        {maTest, &TFormMain::MainMenuEditTestClick},
    }};
    for (const auto& [row, handler] : entryCommands)
        for (QAction* member : m_ActionTable[static_cast<std::size_t>(row)])
            bind(member, handler);
    bind(m_Ui->MainMenuEditCategories, &TFormMain::MainMenuEditCategoriesClick);
    bind(m_Ui->MainMenuSettingsAutostart, &TFormMain::MainMenuSettingsAutostartClick);
    bind(m_Ui->MainMenuSettingsLanguage, &TFormMain::MainMenuSettingsLanguageClick);
    bind(m_Ui->MainMenuSettingsOtherOptions, &TFormMain::MainMenuSettingsOtherOptionsClick);
    bind(m_Ui->MainMenuViewSymbolbar, &TFormMain::MainMenuViewSymbolbarClick);
    bind(m_Ui->MainMenuViewGridlines, &TFormMain::MainMenuViewGridlinesClick);
    bind(m_Ui->MainMenuViewStatusbar, &TFormMain::MainMenuViewStatusbarClick);
    bind(m_Ui->MainMenuViewFont, &TFormMain::MainMenuViewFontClick);
    bind(m_Ui->MainMenuHelpAbout, &TFormMain::MainMenuHelpAboutClick);

    TListViewEx* list = m_Ui->ListViewEx1;
    connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFormMain::ListViewEx1ColumnClick);
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TFormMain::ListViewEx1Change);
    // A reset (a file opened, or one that failed to open) drops the selection without a word.
    connect(m_ListModel, &QAbstractItemModel::modelReset, this, &TFormMain::ListViewEx1Change);
    connect(m_ListModel, &TEntryListModel::ActiveToggled, this, [this](TVemoraEntryBasic* entry) {
        m_UndoStack->push(new TSetActiveCommand(*m_Document, entry, entry->Active()));
        ListViewEx1Change();
    });
    connect(m_UndoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
    connect(list, &QWidget::customContextMenuRequested, this, &TFormMain::ShowPopupMenu);
    connect(list, &TListViewEx::ItemActivated, this, [this] { RunCommand([this] { MainMenuEditEditClick(); }); });
    ConnectFind();
}

// The stack's own items, in the places of the design's: their texts say what they undo and
// redo, and they are enabled when there is something to undo or redo.
void TFormMain::CreateUndoActions()
{
    const auto replace = [this](QAction*& item, QAction* made, QKeySequence::StandardKey keys, bool undo) {
        made->setObjectName(item->objectName());
        made->setShortcuts(keys);
        m_Ui->MainMenuEdit->insertAction(item, made);
        delete item;
        item = made;
        // Through the one-command-at-a-time rule, as every other command.
        disconnect(made, &QAction::triggered, m_UndoStack, nullptr);
        connect(made, &QAction::triggered, this, [this, undo] {
            RunCommand([this, undo] { undo ? m_UndoStack->undo() : m_UndoStack->redo(); });
        });
    };
    replace(m_Ui->MainMenuEditUndo, m_UndoStack->createUndoAction(this, FirstCharUpper(LanguageText(0x5D41A708, QStringLiteral("undo")))),
            QKeySequence::Undo, true);
    replace(m_Ui->MainMenuEditRedo, m_UndoStack->createRedoAction(this, FirstCharUpper(LanguageText(0x5D41A709, QStringLiteral("redo")))),
            QKeySequence::Redo, false);
}

void TFormMain::SelectEntries(const std::vector<TVemoraEntryBasic*>& entries)
{
    m_Ui->ListViewEx1->SelectRows(m_ListModel->RowsOfEntries(entries));
}

// A command runs alone: one that arrives while another waits inside (for the media backend,
// say) is dropped rather than run in the middle of it, where it could free what the first one
// works on. Modal dialogs keep the window's own commands out anyway.
void TFormMain::RunCommand(const std::function<void()>& command)
{
    if (m_CommandRunning)
        return;
    const QScopedValueRollback running(m_CommandRunning, true);
    RunGuarded(command);
}

// Exceptions end at the command boundary with a message; the program goes on.
void TFormMain::RunGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        // A command cut short must not leave the list frozen under the wait cursor.
        while (m_UpdateDepth > 0)
            EndUpdate();
        ShowErrorMessage(QString::fromUtf8(error.what()));
    }
}

TApplicationReg& TFormMain::GetRegistry()
{
    return ApplicationReg ? *ApplicationReg : TFormExCore::GetRegistry();
}

void TFormMain::LoadState()
{
    TFormExCore::LoadState();
    TApplicationReg& store = GetRegistry();
    try {
        if (store.OpenAppKey(AppRootCurrentUser, QString(), false)) {
            m_ShowAutoRun = ReadBoolOr(store, SettingShowAutoRun, true);
            LoadWindowLayout(store); // first: the tool bar's own setting below has the last word
            SetStatusbarVisible(ReadBoolOr(store, SettingStatusbar, true));
            SetSymbolbarVisible(ReadBoolOr(store, SettingSymbolbar, true));
            SetGridLines(ReadBoolOr(store, SettingGridLines, true));
        }
        m_History->List().LoadFromRegistry(store, HistoryOpenfilesKey);
        if (store.OpenAppKey(AppRootCurrentUser, ListViewKey, false))
            store.LoadListViewState(m_Ui->ListViewEx1->horizontalHeader());
    } catch (const ERegistryException&) {
        // a damaged store leaves the design states
    }
    store.CloseKey();
}

void TFormMain::SaveState()
{
    TFormExCore::SaveState();
    TApplicationReg& store = GetRegistry();
    try {
        if (store.OpenAppKey(AppRootCurrentUser, QString(), true)) {
            store.WriteBool(SettingShowAutoRun, m_ShowAutoRun);
            store.WriteBool(SettingStatusbar, m_Ui->MainMenuViewStatusbar->isChecked());
            store.WriteBool(SettingSymbolbar, m_Ui->MainMenuViewSymbolbar->isChecked());
            store.WriteBool(SettingGridLines, m_Ui->MainMenuViewGridlines->isChecked());
            SaveWindowLayout(store);
        }
        m_History->List().SaveToRegistry(store, HistoryOpenfilesKey);
        if (store.OpenAppKey(AppRootCurrentUser, ListViewKey, true))
            store.SaveListViewState(m_Ui->ListViewEx1->horizontalHeader(), true);
    } catch (const ERegistryException&) {
        // settings that cannot be written are lost, the program is not
    }
    store.CloseKey();
}

void TFormMain::SetStatusbarVisible(bool visible)
{
    if (m_Ui->MainMenuViewStatusbar->isChecked() == visible && m_Ui->StatusBar1->isVisibleTo(this) == visible)
        return;
    m_Ui->StatusBar1->setVisible(visible);
    m_Ui->MainMenuViewStatusbar->setChecked(visible);
}

void TFormMain::SetSymbolbarVisible(bool visible)
{
    if (m_Ui->MainMenuViewSymbolbar->isChecked() == visible && m_Ui->ToolBar1->isVisibleTo(this) == visible)
        return;
    m_Ui->ToolBar1->setVisible(visible);
    m_Ui->MainMenuViewSymbolbar->setChecked(visible);
}

void TFormMain::SetGridLines(bool on)
{
    m_Ui->ListViewEx1->setShowGrid(on);
    m_Ui->MainMenuViewGridlines->setChecked(on);
}

TListViewEx* TFormMain::ListViewEx1() const
{
    return m_Ui->ListViewEx1;
}

void TFormMain::MainMenuViewSymbolbarClick()
{
    SetSymbolbarVisible(!m_Ui->ToolBar1->isVisibleTo(this));
}

void TFormMain::MainMenuViewGridlinesClick()
{
    SetGridLines(!m_Ui->ListViewEx1->showGrid());
}

void TFormMain::MainMenuViewStatusbarClick()
{
    SetStatusbarVisible(!m_Ui->StatusBar1->isVisibleTo(this));
}

void TFormMain::MainMenuViewFontClick()
{
    m_FontDialog->setCurrentFont(m_Ui->ListViewEx1->font());
    if (m_FontDialog->exec() == QDialog::Accepted)
        m_Ui->ListViewEx1->setFont(m_FontDialog->selectedFont());
}

void TFormMain::MainMenuHelpAboutClick()
{
    m_AboutDialog->Execute();
}

void TFormMain::ShowPopupMenu(const QPoint& position)
{
    m_PopupMenu->popup(m_Ui->ListViewEx1->viewport()->mapToGlobal(position));
}
