#include "ui/FormCategories.h"

#include "ui_FormCategories.h"

#include "app/ErrorMessage.h"
#include "model/VemoraEntries.h"
#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "support/NLS.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int DesignWidth = 275;
constexpr int DesignHeight = 303;
constexpr int MinimumWidth = 208;
constexpr int MinimumHeight = 186;

// Sorted by name as a user reads a list: letter case does not separate names.
class TCategoryItem : public QListWidgetItem {
public:
    TCategoryItem(const QString& name, quint8 number)
        : QListWidgetItem(name)
    {
        setData(Qt::UserRole, QVariant::fromValue(static_cast<uint>(number)));
    }

    bool operator<(const QListWidgetItem& other) const override
    {
        const int order = QString::localeAwareCompare(text().toCaseFolded(), other.text().toCaseFolded());
        return order != 0 ? order < 0 : QString::localeAwareCompare(text(), other.text()) < 0;
    }
};

quint8 NumberOf(const QListWidgetItem& item)
{
    return static_cast<quint8>(item.data(Qt::UserRole).toUInt() & 0xFF);
}

// Control characters and blanks at both ends are no part of a name.
QString TrimControls(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

} // namespace

// Many changes to the list show as one: no redrawing and the wait cursor meanwhile.
class TFormCategories::TUpdate {
public:
    explicit TUpdate(TFormCategories& form)
        : m_Form(form)
    {
        m_Form.BeginUpdate();
    }
    ~TUpdate() { m_Form.EndUpdate(); }
    TUpdate(const TUpdate&) = delete;
    TUpdate& operator=(const TUpdate&) = delete;

private:
    TFormCategories& m_Form;
};

TFormCategories::TFormCategories(QWidget* parent)
    : TFormEx(parent)
    , m_Ui(std::make_unique<Ui::FormCategories>())
{
    m_Ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_Caption = FirstCharUpper(LanguageText(0x6D896DB3, windowTitle()));
    setWindowTitle(m_Caption);
    m_Ui->LabelEditListBoxCategories->setText(
        FirstCharUpper(LanguageText(0x3BA75637, m_Ui->LabelEditListBoxCategories->text()), QStringLiteral(":")));
    m_Ui->ButtonNew->setText(FirstCharUpper(LanguageText(0x01B01BE2, QStringLiteral("Neu")), QStringLiteral("...")));
    m_Ui->ButtonEdit->setText(
        FirstCharUpper(LanguageText(0x361244F2, QStringLiteral("Bearbeiten")), QStringLiteral("...")));
    // Deleting asks nothing, so its caption promises no dialog.
    m_Ui->ButtonDelete->setText(FirstCharUpper(LanguageText(0x296476DD, m_Ui->ButtonDelete->text())));
    m_Ui->ButtonOk->setText(FirstCharUpper(LanguageText(0x655C77AA, m_Ui->ButtonOk->text())));
    m_Ui->ButtonCancel->setText(FirstCharUpper(LanguageText(0x4560CF28, m_Ui->ButtonCancel->text())));
    SetGlyph(m_Ui->ButtonOk, TGlyphKind::Ok);
    SetGlyph(m_Ui->ButtonCancel, TGlyphKind::Cancel);
    AssignHotKeys(QList<QWidget*>{m_Ui->LabelEditListBoxCategories, m_Ui->ButtonNew, m_Ui->ButtonEdit,
                                  m_Ui->ButtonDelete});

    // Texts of other languages may need more than the design size, never less.
    SetTrackSize(0, std::max(MinimumWidth, minimumSizeHint().width()));
    SetTrackSize(1, std::max(MinimumHeight, minimumSizeHint().height()));
    resize(std::max(DesignWidth, minimumWidth()), std::max(DesignHeight, minimumHeight()));
    SetFocusOnShow(m_Ui->ListBoxCategories);

    // The dialog sees keys before its controls do.
    for (QWidget* control : {static_cast<QWidget*>(m_Ui->ListBoxCategories), static_cast<QWidget*>(m_Ui->ButtonNew),
                             static_cast<QWidget*>(m_Ui->ButtonEdit), static_cast<QWidget*>(m_Ui->ButtonDelete),
                             static_cast<QWidget*>(m_Ui->ButtonOk), static_cast<QWidget*>(m_Ui->ButtonCancel)})
        control->installEventFilter(this);

    connect(m_Ui->ButtonNew, &QPushButton::clicked, this, [this] { ButtonEditClick(m_Ui->ButtonNew); });
    connect(m_Ui->ButtonEdit, &QPushButton::clicked, this, [this] { ButtonEditClick(m_Ui->ButtonEdit); });
    connect(m_Ui->ButtonDelete, &QPushButton::clicked, this, &TFormCategories::ButtonDeleteClick);
    connect(m_Ui->ListBoxCategories, &QListWidget::itemSelectionChanged, this, &TFormCategories::CheckButtons);
    connect(m_Ui->ListBoxCategories, &QListWidget::itemDoubleClicked, this,
            &TFormCategories::ListBoxCategoriesDblClick);
    connect(m_Ui->ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Ui->ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    Reset();
}

TFormCategories::~TFormCategories() = default;

bool TFormCategories::Execute(TVemoraEntries& entries, bool readOnly)
{
    // A dialog that is open already answers no second caller.
    if (isVisible())
        return false;
    SetReadOnly(readOnly);
    m_Entries = &entries;
    TCategoryStrings categories;
    entries.Categories().AssignTo(categories);
    FillList(categories);
    CheckButtons();
    CentreOnScreen();
    const bool confirmed = exec() == QDialog::Accepted;
    // The list may go away while the dialog is kept.
    m_Entries = nullptr;
    return confirmed;
}

TCategoryStrings TFormCategories::Categories() const
{
    TCategoryStrings categories;
    const QListWidget& list = *m_Ui->ListBoxCategories;
    categories.reserve(list.count());
    for (int row = 0; row < list.count(); ++row)
        categories.append({list.item(row)->text(), NumberOf(*list.item(row))});
    return categories;
}

void TFormCategories::SetReadOnly(bool readOnly)
{
    if (readOnly == m_ReadOnly)
        return;
    m_ReadOnly = readOnly;
    QString caption = FirstCharUpper(LanguageText(0x3BA75637, m_Caption));
    if (m_ReadOnly)
        caption += QStringLiteral(" (") + LanguageText(0x63207BB2, QStringLiteral("schreibgeschützt")) +
                   QLatin1Char(')');
    setWindowTitle(caption);
    CheckButtons();
}

void TFormCategories::ButtonEditClick(QAbstractButton* sender)
{
    const bool isNew = sender == m_Ui->ButtonNew;
    QListWidgetItem* edited = nullptr;
    QString name;
    QString title;
    if (isNew) {
        // With every number taken a new category could only get a number that is in use.
        if (!NextFreeNumber()) {
            ShowErrorMessage(FirstCharUpper(
                LanguageText(0x2C7E0B19, QStringLiteral("Es können keine weiteren Kategorien angelegt werden: "
                                                        "alle 255 Nummern sind vergeben."))));
            return;
        }
        title = FirstCharUpper(LanguageText(0x53D2A4D5, QStringLiteral("Neue Kategorie")));
    } else {
        const QList<QListWidgetItem*> selected = m_Ui->ListBoxCategories->selectedItems();
        if (selected.size() != 1)
            return;
        edited = selected.first();
        name = edited->text();
        title = FirstCharUpper(LanguageText(0x2BF85C5A, QStringLiteral("Kategorie umbenennen")));
    }
    const std::optional<QString> answer = AskName(title, name, edited);
    if (!answer)
        return;

    const TUpdate update(*this);
    QListWidgetItem* item = edited;
    if (isNew) {
        item = new TCategoryItem(*answer, *NextFreeNumber());
        m_Ui->ListBoxCategories->addItem(item);
    } else {
        item->setText(*answer); // the sorted list moves the item to its new place
    }
    m_Ui->ListBoxCategories->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
    m_Ui->ListBoxCategories->scrollToItem(item);
    CheckButtons();
}

void TFormCategories::ButtonDeleteClick()
{
    QListWidget& list = *m_Ui->ListBoxCategories;
    const QList<QListWidgetItem*> selected = list.selectedItems();
    if (selected.isEmpty())
        return;
    // Entries never refer to a category that is gone.
    const bool used = m_Entries && std::any_of(selected.begin(), selected.end(), [this](const QListWidgetItem* item) {
                          return m_Entries->IsCategoryUsed(NumberOf(*item));
                      });
    if (used) {
        ShowErrorMessage(FirstCharUpper(LanguageText(0x0DA2EA42, QStringLiteral("Mindestens eine der ausgewählten "
                                                                                "Kategorien wird noch von Einträgen "
                                                                                "verwendet")),
                                        QStringLiteral(".")));
        return;
    }
    const TUpdate update(*this);
    for (int row = list.count() - 1; row >= 0; --row)
        if (list.item(row)->isSelected())
            delete list.takeItem(row);
    CheckButtons();
}

void TFormCategories::CheckButtons()
{
    const qsizetype selected = m_Ui->ListBoxCategories->selectedItems().size();
    m_Ui->ButtonEdit->setEnabled(!m_ReadOnly && selected == 1);
    m_Ui->ButtonDelete->setEnabled(!m_ReadOnly && selected > 0);
    m_Ui->ButtonNew->setEnabled(!m_ReadOnly);
    m_Ui->ButtonOk->setEnabled(!m_ReadOnly);
}

void TFormCategories::ListBoxCategoriesDblClick()
{
    if (m_Ui->ButtonEdit->isEnabled())
        ButtonEditClick(m_Ui->ButtonEdit);
}

void TFormCategories::done(int result)
{
    FormCloseQuery(result);
    TFormEx::done(result);
}

void TFormCategories::FormCloseQuery(int& result) const
{
    if (result != QDialog::Accepted || !m_Entries)
        return;
    // A read-only table is never handed back, whoever accepts the dialog.
    if (m_ReadOnly || m_Entries->Categories().EqualsStrings(Categories()))
        result = QDialog::Rejected;
}

bool TFormCategories::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return TFormEx::eventFilter(watched, event);
}

void TFormCategories::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event))
        TFormEx::keyPressEvent(event);
}

bool TFormCategories::FormKeyDown(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Insert)
        return false;
    // Also in the read-only state: the name is added, but OK cannot take it.
    ButtonEditClick(m_Ui->ButtonNew);
    return true;
}

void TFormCategories::BeginUpdate()
{
    if (m_UpdateCount++ > 0)
        return;
    m_Ui->ListBoxCategories->setUpdatesEnabled(false);
    BeginWait();
}

void TFormCategories::EndUpdate()
{
    if (m_UpdateCount == 0 || --m_UpdateCount > 0)
        return;
    EndWait();
    m_Ui->ListBoxCategories->setUpdatesEnabled(true);
}

void TFormCategories::Reset()
{
    const TUpdate update(*this);
    m_Entries = nullptr;
    m_Ui->ListBoxCategories->clear();
    m_Ui->ListBoxCategories->setSortingEnabled(true);
    m_ReadOnly = false;
    CheckButtons();
}

void TFormCategories::FillList(const TCategoryStrings& categories)
{
    const TUpdate update(*this);
    QListWidget& list = *m_Ui->ListBoxCategories;
    list.clear();
    for (const auto& [name, number] : categories)
        list.addItem(new TCategoryItem(name, number));
}

std::optional<QString> TFormCategories::AskName(const QString& title, QString name, const QListWidgetItem* except)
{
    for (;;) {
        QInputDialog input(this);
        input.setObjectName(QStringLiteral("InputCategoryName"));
        input.setInputMode(QInputDialog::TextInput);
        input.setWindowTitle(title);
        input.setLabelText(
            FirstCharUpper(LanguageText(0x38709675, QStringLiteral("Name der Kategorie")), QStringLiteral(": ")));
        input.setOkButtonText(FirstCharUpper(LanguageText(0x655C77AA, QStringLiteral("OK"))));
        input.setCancelButtonText(FirstCharUpper(LanguageText(0x4560CF28, QStringLiteral("Abbrechen"))));
        input.setTextValue(name);
        if (input.exec() != QDialog::Accepted)
            return std::nullopt;
        name = input.textValue();
        const QString trimmed = TrimControls(name);
        if (trimmed.isEmpty()) {
            ShowErrorMessage(
                FirstCharUpper(LanguageText(0x1ED269F0, QStringLiteral("Hier ist eine Angabe erforderlich."))));
            name.clear();
        } else if (IsNameTaken(trimmed, except)) {
            ShowErrorMessage(FirstCharUpper(
                LanguageText(0x4ADA95CA, QStringLiteral("Eine Kategorie mit diesem Namen gibt es bereits."))));
        } else {
            return trimmed;
        }
    }
}

bool TFormCategories::IsNameTaken(const QString& name, const QListWidgetItem* except) const
{
    // The table's own comparison, so that the dialog and the table agree on what is the same name.
    TCategories others;
    const QListWidget& list = *m_Ui->ListBoxCategories;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row) != except)
            others.AddCategory(list.item(row)->text(), NumberOf(*list.item(row)));
    int index = -1;
    return others.FindName(name, index);
}

std::optional<quint8> TFormCategories::NextFreeNumber() const
{
    TCategories numbers;
    numbers.Assign(Categories());
    return numbers.NextFreeId();
}

void TFormCategories::CentreOnScreen()
{
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TFormCategories& FormCategories()
{
    static QPointer<TFormCategories> instance;
    if (!instance) {
        KeptForm(instance);
        // Without a main window nothing else would free it before the application goes.
        if (!ApplicationMainForm())
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, instance.data(), &QObject::deleteLater);
    }
    return *instance;
}
