#include "support/FormChooseDir.h"

#include "ui_FormChooseDir.h"

#include "support/FolderBrowser.h"
#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "support/NLS.h"

#include <QDir>

TFormChooseDir::TFormChooseDir(QWidget* parent)
    : QDialog(parent)
    , m_Ui(std::make_unique<Ui::FormChooseDir>())
{
    m_Ui->setupUi(this);
    m_Ui->LabelDirectory->setText(FirstCharUpper(LanguageText(0x64DAD32C, m_Ui->LabelDirectory->text()), QStringLiteral(":")));
    m_Ui->ButtonBrowse->setText(EnsureEllipsis(FirstCharUpper(LanguageText(0x6FAB9065, QStringLiteral("Browse")))));
    m_Ui->ButtonCancel->setText(FirstCharUpper(LanguageText(0x4560CF28, m_Ui->ButtonCancel->text())));
    setWindowTitle(FirstCharUpper(LanguageText(0x46992A65, windowTitle())));
    AssignHotKeys(QList<QWidget*>{m_Ui->LabelDirectory, m_Ui->ButtonBrowse});
    SetGlyph(m_Ui->ButtonOK, TGlyphKind::Ok);
    SetGlyph(m_Ui->ButtonCancel, TGlyphKind::Cancel);
    // Texts of other languages must fit: the design size is where the dialog starts.
    setMinimumWidth(width());
    connect(m_Ui->EditDir, &QLineEdit::textChanged, this, &TFormChooseDir::ButtonOKCheck);
    connect(m_Ui->ButtonBrowse, &QPushButton::clicked, this, &TFormChooseDir::ButtonBrowseClick);
    connect(m_Ui->ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

TFormChooseDir::~TFormChooseDir() = default;

QString TFormChooseDir::GetDirectory() const
{
    return m_Ui->EditDir->text().trimmed();
}

void TFormChooseDir::SetDirectory(const QString& directory)
{
    m_Ui->EditDir->setText(directory);
}

void TFormChooseDir::showEvent(QShowEvent* event)
{
    m_Ui->ButtonOK->setEnabled(m_AllowEmpty || !m_Ui->EditDir->text().isEmpty());
    QDialog::showEvent(event);
    m_Ui->EditDir->setFocus();
}

void TFormChooseDir::ButtonOKCheck()
{
    if (!m_AllowEmpty)
        m_Ui->ButtonOK->setEnabled(!m_Ui->EditDir->text().isEmpty());
}

void TFormChooseDir::ButtonBrowseClick()
{
    TFolderBrowser browser(this);
    browser.setWindowTitle(windowTitle());
    browser.SetPrompt(m_BrowserPrompt);
    if (!m_StatusMessage.isEmpty())
        browser.SetStatus(m_StatusMessage);
    if (m_Validation) {
        browser.SetCheck([this](const QString& directory, QString& message, bool& accepted) {
            m_Validation(directory, m_StatusMessage, m_Accepted);
            message = m_StatusMessage;
            accepted = m_Accepted;
        });
    }
    QString current = GetDirectory();
    while (current.size() > 1 && current.endsWith(u'/'))
        current.chop(1);
    if (!current.isEmpty())
        browser.SetDirectory(current);
    if (browser.exec() == QDialog::Accepted && !browser.Directory().isEmpty())
        m_Ui->EditDir->setText(QDir::toNativeSeparators(browser.Directory()));
}
