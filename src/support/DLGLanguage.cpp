#include "support/DLGLanguage.h"

#include "ui_DLGLanguage.h"

#include "support/FormChooseDir.h"
#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "support/NLS.h"

#include <QDir>
#include <QFileInfo>

namespace {

TDLGLanguage* CurrentInstance = nullptr;

// The folder part of a name, without its final separator; empty for a bare name.
QString FolderOf(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : fileName.left(slash);
}

QString NameOf(const QString& fileName)
{
    return fileName.mid(fileName.lastIndexOf(u'/') + 1);
}

} // namespace

TDLGLanguage::TDLGLanguage(QWidget* parent)
    : QDialog(parent)
    , m_Ui(std::make_unique<Ui::DLGLanguage>())
{
    m_Ui->setupUi(this);
    // Before the first choice no language is loaded, and the dialog speaks its design language.
    if (IsLanguageLoaded()) {
        setWindowTitle(FirstCharUpper(LanguageText(0x745A3E03, windowTitle())));
        m_Ui->Label1->setText(LanguageText(0x35B5CEB5, m_Ui->Label1->text()));
        m_Ui->Label2->setText(FirstCharUpper(LanguageText(0x64DAD32C, m_Ui->Label2->text()), QStringLiteral(":")));
        m_Ui->ButtonCancel->setText(FirstCharUpper(LanguageText(0x4560CF28, m_Ui->ButtonCancel->text())));
        m_Ui->ButtonChange->setText(
            EnsureEllipsis(FirstCharUpper(LanguageText(0x5321F47A, m_Ui->ButtonChange->text()))));
    }
    AssignHotKeys(QList<QWidget*>{m_Ui->Label1, m_Ui->Label2, m_Ui->ButtonChange});
    SetGlyph(m_Ui->ButtonOk, TGlyphKind::Ok);
    SetGlyph(m_Ui->ButtonCancel, TGlyphKind::Cancel);
    QPalette inactive = m_Ui->EditDir->palette();
    inactive.setColor(QPalette::Base, inactive.color(QPalette::Window));
    m_Ui->EditDir->setPalette(inactive);
    setMinimumSize(size());

    connect(m_Ui->ListBox1, &QListWidget::itemSelectionChanged, this, &TDLGLanguage::ListBox1Click);
    connect(m_Ui->ListBox1, &QListWidget::itemDoubleClicked, this, &TDLGLanguage::ListBox1DblClick);
    connect(m_Ui->ButtonChange, &QPushButton::clicked, this, &TDLGLanguage::ButtonChangeClick);
    connect(m_Ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    if (!CurrentInstance)
        CurrentInstance = this;
}

TDLGLanguage::~TDLGLanguage()
{
    if (CurrentInstance == this)
        CurrentInstance = nullptr;
}

TDLGLanguage* TDLGLanguage::Instance()
{
    return CurrentInstance;
}

bool TDLGLanguage::Execute(TLanguagePair& pair, const QString& prefix)
{
    std::unique_ptr<TDLGLanguage> created;
    TDLGLanguage* dialog = Instance();
    if (!dialog) {
        created = std::make_unique<TDLGLanguage>();
        dialog = created.get();
    }
    dialog->SetName(nlsCountryPrefix, pair[nlsCountryPrefix]);
    dialog->SetName(nlsLanguagePrefix, pair[nlsLanguagePrefix]);
    dialog->m_Prefix = prefix;
    if (dialog->exec() != QDialog::Accepted)
        return false;
    const TLanguagePair chosen{dialog->ChosenName(nlsCountryPrefix), dialog->ChosenName(nlsLanguagePrefix)};
    const auto same = [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; };
    if (same(chosen[0], pair[0]) && same(chosen[1], pair[1]))
        return false;
    pair = chosen;
    return true;
}

void TDLGLanguage::SetName(int which, const QString& fileName)
{
    m_Names[static_cast<std::size_t>(which)] = NameOf(fileName);
    m_Ui->EditDir->setText(FolderOf(fileName));
}

QString TDLGLanguage::SearchDirectory() const
{
    return LanguageSearchDirectory(m_Ui->EditDir->text());
}

// Names in the program's folder stay relative: they are looked up there at every start.
QString TDLGLanguage::ChosenName(int which) const
{
    const QString& name = m_Names[static_cast<std::size_t>(which)];
    const QString folder = m_Ui->EditDir->text();
    if (name.isEmpty() || folder.isEmpty())
        return name;
    return QDir(folder).filePath(name);
}

void TDLGLanguage::showEvent(QShowEvent* event)
{
    ListChoices();
    QDialog::showEvent(event);
}

void TDLGLanguage::hideEvent(QHideEvent* event)
{
    m_Choices.clear();
    QDialog::hideEvent(event);
}

void TDLGLanguage::ListChoices()
{
    const QString directory = SearchDirectory();
    const TLanguagePair stored = m_Names;
    m_Choices = ListLanguageChoices(directory, m_Prefix);
    QListWidget* list = m_Ui->ListBox1;
    list->clear();
    if (m_Choices.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("(none)"), list);
        none->setData(Qt::UserRole, -1);
    }
    for (const int index : ReadingOrder(m_Choices)) {
        auto* item = new QListWidgetItem(m_Choices[static_cast<std::size_t>(index)].DisplayText, list);
        item->setData(Qt::UserRole, index);
    }
    const int current = FindLanguageChoice(m_Choices, stored, directory);
    for (int row = 0; row < list->count(); ++row) {
        if (current >= 0 && list->item(row)->data(Qt::UserRole).toInt() == current)
            list->setCurrentRow(row);
    }
    ListBox1Click();
}

void TDLGLanguage::ListBox1Click()
{
    const QList<QListWidgetItem*> selected = m_Ui->ListBox1->selectedItems();
    m_Ui->ButtonOk->setEnabled(!selected.isEmpty());
    if (selected.isEmpty())
        return;
    const int index = selected.first()->data(Qt::UserRole).toInt();
    if (index < 0 || index >= static_cast<int>(m_Choices.size())) {
        m_Names = {};
        return;
    }
    const TLanguageChoice& choice = m_Choices[static_cast<std::size_t>(index)];
    m_Names = {NameOf(choice.CountryFile), NameOf(choice.LanguageFile)};
}

void TDLGLanguage::ListBox1DblClick()
{
    if (m_Ui->ButtonOk->isEnabled())
        m_Ui->ButtonOk->click();
}

void TDLGLanguage::ButtonChangeClick()
{
    TFormChooseDir chooser(this);
    chooser.setWindowTitle(LanguageText(0x50FE4203, windowTitle()));
    chooser.SetDirectory(SearchDirectory());
    const QString prefix = m_Prefix;
    chooser.SetValidation([prefix](const QString& directory, QString& message, bool& accepted) {
        const TLanguageCheck check = CheckLanguageDirectory(directory, prefix);
        message = check.Message;
        accepted = check.Accepted;
    });
    chooser.SetStatusMessage(FirstCharUpper(LanguageText(0x6679002D, QStringLiteral("no languages found")), QStringLiteral(".")));
    chooser.SetBrowserPrompt(LanguageText(0x50FE4203, QStringLiteral("Please choose directory with language files")));
    if (chooser.exec() != QDialog::Accepted)
        return;
    m_Ui->EditDir->setText(chooser.GetDirectory());
    ListChoices();
}
