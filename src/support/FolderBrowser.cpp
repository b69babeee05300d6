#include "support/FolderBrowser.h"

#include "support/GlyphButtons.h"
#include "support/NLS.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

TFolderBrowser::TFolderBrowser(QWidget* parent)
    : QDialog(parent)
    , m_Prompt(new QLabel(this))
    , m_Tree(new QTreeView(this))
    , m_Model(new QFileSystemModel(this))
    , m_Status(new QLabel(this))
    , m_Buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("FolderBrowser"));
    m_Prompt->setObjectName(QStringLiteral("LabelPrompt"));
    m_Prompt->setWordWrap(true);
    m_Tree->setObjectName(QStringLiteral("TreeFolders"));
    m_Status->setObjectName(QStringLiteral("LabelStatus"));
    m_Status->setWordWrap(true);
    m_Status->hide();

    m_Model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_Model->setRootPath(QDir::rootPath());
    m_Tree->setModel(m_Model);
    for (int column = 1; column < m_Model->columnCount(); ++column)
        m_Tree->hideColumn(column);
    m_Tree->header()->hide();

    QPushButton* ok = m_Buttons->button(QDialogButtonBox::Ok);
    QPushButton* cancel = m_Buttons->button(QDialogButtonBox::Cancel);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setText(FirstCharUpper(LanguageText(0x655C77AA, QStringLiteral("OK"))));
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    cancel->setText(FirstCharUpper(LanguageText(0x4560CF28, QStringLiteral("Cancel"))));
    SetGlyph(ok, TGlyphKind::Ok);
    SetGlyph(cancel, TGlyphKind::Cancel);
    ok->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Prompt);
    layout->addWidget(m_Tree, 1);
    layout->addWidget(m_Status);
    layout->addWidget(m_Buttons);
    resize(420, 440);

    connect(m_Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_Tree->selectionModel(), &QItemSelectionModel::currentChanged, this, &TFolderBrowser::FolderSelected);
}

void TFolderBrowser::SetPrompt(const QString& prompt)
{
    m_Prompt->setText(prompt);
}

void TFolderBrowser::SetStatus(const QString& text)
{
    m_Status->setText(text);
    m_Status->show();
}

void TFolderBrowser::SetDirectory(const QString& directory)
{
    const QModelIndex index = m_Model->index(QDir::cleanPath(directory));
    if (!index.isValid())
        return;
    m_Tree->setCurrentIndex(index);
    m_Tree->scrollTo(index);
}

QString TFolderBrowser::Directory() const
{
    const QModelIndex index = m_Tree->currentIndex();
    return index.isValid() ? m_Model->filePath(index) : QString();
}

void TFolderBrowser::FolderSelected()
{
    const QString directory = Directory();
    bool accepted = !directory.isEmpty();
    if (m_Check && accepted) {
        QString message = m_Status->text();
        m_Check(directory, message, accepted);
        m_Status->setText(message);
    }
    m_Buttons->button(QDialogButtonBox::Ok)->setEnabled(accepted);
}
