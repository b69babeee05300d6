#include "app/FormStartup.h"

#include "ui_FormStartup.h"

#include "app/ErrorMessage.h"
#include "model/EntryFileHeader.h"
#include "support/FileFilters.h"
#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "support/NLS.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>

namespace {

constexpr int DesignHeight = 171;
constexpr int MinimumWidth = 246;

} // namespace

TFormStartup::TFormStartup(QWidget* parent)
    : TFormEx(parent)
    , m_Ui(std::make_unique<Ui::FormStartup>())
    , m_OpenDialog(new QFileDialog(this))
{
    m_Ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(LanguageText(0x239F887A, windowTitle()));
    m_Ui->CheckBoxAutostart->setText(LanguageText(0x366C6762, m_Ui->CheckBoxAutostart->text()));
    m_Ui->RadioButtonStartupFile->setText(LanguageText(0x582C2B61, m_Ui->RadioButtonStartupFile->text()));
    m_Ui->RadioButtonEditorFile->setText(LanguageText(0x01581A88, m_Ui->RadioButtonEditorFile->text()));
    m_Ui->BitBtnOk->setText(FirstCharUpper(LanguageText(0x655C77AA, m_Ui->BitBtnOk->text())));
    m_Ui->BitBtnCancel->setText(FirstCharUpper(LanguageText(0x4560CF28, m_Ui->BitBtnCancel->text())));
    m_Ui->ButtonSearch->setText(FirstCharUpper(LanguageText(0x6FAB9065, QStringLiteral("Suchen")), QStringLiteral("...")));
    SetGlyph(m_Ui->BitBtnOk, TGlyphKind::Ok);
    SetGlyph(m_Ui->BitBtnCancel, TGlyphKind::Cancel);

    m_OpenDialog->setObjectName(QStringLiteral("OpenDialog1"));
    m_OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_OpenDialog->setFileMode(QFileDialog::ExistingFile);
    m_OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_OpenDialog->setNameFilters(
        FileDialogNameFilters(LanguageText(0x6DD555EF, QStringLiteral("Konfigurationsdateien (*.vkd)|*.vkd"))));
    m_OpenDialog->setDefaultSuffix(QStringLiteral("vkd"));

    // Only wider, never lower or higher: the height is that of the design, or what the texts
    // of the language need.
    const int designWidth = width();
    const int height = std::max(DesignHeight, minimumSizeHint().height());
    SetTrackSize(1, height);
    SetTrackSize(3, height);
    SetTrackSize(0, std::max(MinimumWidth, minimumSizeHint().width()));
    resize(std::max(designWidth, minimumWidth()), height);

    AssignHotKeys(QList<QWidget*>{m_Ui->CheckBoxAutostart, m_Ui->RadioButtonStartupFile, m_Ui->RadioButtonEditorFile,
                                  m_Ui->ButtonSearch});
    SetFocusOnShow(m_Ui->CheckBoxAutostart);
    m_Ui->EditFilenameEditor->setEnabled(m_Ui->RadioButtonEditorFile->isEnabled());
    m_Ui->EditFilenameStartup->installEventFilter(this);

    connect(m_Ui->CheckBoxAutostart, &QCheckBox::toggled, this, &TFormStartup::AutoStartChanged);
    connect(m_Ui->ButtonSearch, &QPushButton::clicked, this, &TFormStartup::ButtonSearchClick);
    connect(m_Ui->RadioButtonStartupFile, &QRadioButton::clicked, this, &TFormStartup::RadioButtonStartupFileClick);
    connect(m_Ui->BitBtnOk, &QPushButton::clicked, this, &TFormStartup::accept);
    connect(m_Ui->BitBtnCancel, &QPushButton::clicked, this, &TFormStartup::reject);
    AutoStartChanged();
}

TFormStartup::~TFormStartup() = default;

bool TFormStartup::Execute(const QString& currentFile, const QString& autoStartFile, bool agreed)
{
    const QString current = currentFile.trimmed();
    if (current != m_Ui->EditFilenameEditor->text()) {
        m_Ui->EditFilenameEditor->setText(current);
        m_Ui->RadioButtonEditorFile->setEnabled(m_Ui->CheckBoxAutostart->isChecked() && !current.isEmpty());
    }
    const QString registered = autoStartFile.trimmed();
    // Never checked here: the box keeps what the previous use of the dialog left.
    if (registered.isEmpty())
        m_Ui->CheckBoxAutostart->setChecked(false);
    // File names compare as the platform does: with their letter case.
    if (registered != m_Ui->EditFilenameEditor->text()) {
        m_Ui->EditFilenameStartup->setText(registered);
        m_Ui->RadioButtonStartupFile->setChecked(true);
    } else {
        m_Ui->EditFilenameStartup->clear();
        m_Ui->RadioButtonEditorFile->setChecked(true);
        m_Ui->EditFilenameEditor->setText(registered);
    }
    if (m_Ui->EditFilenameEditor->text().isEmpty() && m_Ui->RadioButtonEditorFile->isChecked())
        m_Ui->RadioButtonStartupFile->setChecked(true);
    m_InitialFile = GetFileName();
    if (agreed && !current.isEmpty()) {
        m_Ui->CheckBoxAutostart->setChecked(true);
        m_Ui->RadioButtonEditorFile->setEnabled(true);
        m_Ui->RadioButtonEditorFile->setChecked(true);
    }
    return exec() == QDialog::Accepted && GetFileName() != m_InitialFile;
}

QString TFormStartup::GetFileName() const
{
    if (!m_Ui->CheckBoxAutostart->isChecked())
        return QString();
    return m_Ui->RadioButtonStartupFile->isChecked() ? m_Ui->EditFilenameStartup->text()
                                                     : m_Ui->EditFilenameEditor->text();
}

void TFormStartup::AutoStartChanged()
{
    const bool on = m_Ui->CheckBoxAutostart->isChecked();
    m_Ui->EditFilenameStartup->setEnabled(on);
    m_Ui->RadioButtonEditorFile->setEnabled(on && !m_Ui->EditFilenameEditor->text().isEmpty());
    m_Ui->RadioButtonStartupFile->setEnabled(on);
    m_Ui->ButtonSearch->setEnabled(on);
    if (on && isVisible() && m_Ui->RadioButtonStartupFile->isChecked())
        m_Ui->EditFilenameStartup->setFocus();
}

void TFormStartup::ButtonSearchClick()
{
    m_Ui->RadioButtonStartupFile->setChecked(true);
    m_Ui->EditFilenameStartup->setFocus();
    // The search starts where the file named so far lies.
    if (const QString named = m_Ui->EditFilenameStartup->text().trimmed(); !named.isEmpty()) {
        m_OpenDialog->setDirectory(QFileInfo(named).absolutePath());
        m_OpenDialog->selectFile(QFileInfo(named).fileName());
    }
    if (m_OpenDialog->exec() == QDialog::Accepted && !m_OpenDialog->selectedFiles().isEmpty())
        m_Ui->EditFilenameStartup->setText(m_OpenDialog->selectedFiles().first());
}

void TFormStartup::RadioButtonStartupFileClick()
{
    if (isVisible() && m_Ui->EditFilenameStartup->isEnabled())
        m_Ui->EditFilenameStartup->setFocus();
}

bool TFormStartup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_Ui->EditFilenameStartup && event->type() == QEvent::MouseButtonPress)
        m_Ui->RadioButtonStartupFile->setChecked(true);
    return TFormEx::eventFilter(watched, event);
}

void TFormStartup::accept()
{
    if (CloseQuery())
        TFormEx::accept();
}

bool TFormStartup::CloseQuery()
{
    if (!m_Ui->CheckBoxAutostart->isChecked())
        return true;
    if (m_Ui->RadioButtonStartupFile->isChecked() && m_Ui->EditFilenameStartup->text().trimmed().isEmpty()) {
        ShowErrorMessage(FirstCharUpper(LanguageText(0x1ED269F0)));
        m_Ui->EditFilenameStartup->setFocus();
        return false;
    }
    if (!IsEntryFile(GetFileName())) {
        ShowErrorMessage(GetFileName() + LanguageText(0x406361C5));
        return false;
    }
    return true;
}
