#include "ui/FormEditDate.h"

#include "ui_FormEditDate.h"

#include "app/DateFieldCheck.h"
#include "app/ErrorMessage.h"
#include "model/EntryFactory.h"
#include "model/NextDates.h"
#include "model/VemoraEntries.h"
#include "platform/MessageService.h"
#include "settings/HistoryComboBox.h"
#include "settings/HistoryStringlist.h"
#include "support/DateEdit.h"
#include "support/DateFormat.h"
#include "support/FileFilters.h"
#include "support/LocaleFormats.h"
#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "support/MCI.h"
#include "support/NLS.h"
#include "support/DayNumbers.h"
#include "platform/FormatText.h"
#include "ui/DayChoosers.h"
#include "ui/FormCategories.h"
#include "ui/FormPreview.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QPointer>

namespace {

const QString FormName = QStringLiteral("FormEditDate");

// Kinds 1..4 by page: daily, weekly, monthly, yearly.
constexpr int PageOfKind(int kind)
{
    return kind - 1;
}

QString Suffixed(quint32 id, const QString& fallback, const QString& suffix)
{
    return FirstCharUpper(LanguageText(id, fallback), suffix);
}

constexpr quint32 TextStopBeforeStart = 0x5D41A702;
constexpr quint32 TextNextDates = 0x5D41A703;
constexpr quint32 TextNeverStopBeforeStart = 0x5D41A704;
constexpr quint32 TextLastDateWas = 0x5D41A705;
constexpr quint32 TextNeverNoDay = 0x5D41A706;
constexpr quint32 TextNoDateInCalendar = 0x5D41A707;

// The line under the rule: the next dates in the long format, or why there are none.
QString NextDatesText(const TNextDates& next)
{
    using TReason = TNextDates::TReason;
    switch (next.Reason) {
    case TReason::Dates: {
        QStringList days;
        for (qint32 day : next.Days)
            days.append(DateToLongStr(day));
        return FormatText(LanguageText(TextNextDates), {days.join(QStringLiteral("; "))});
    }
    case TReason::StopBeforeStart: return FirstCharUpper(LanguageText(TextNeverStopBeforeStart));
    case TReason::Ended: return FirstCharUpper(FormatText(LanguageText(TextLastDateWas), {DateToStr(next.LastDay)}));
    case TReason::NoDay: return FirstCharUpper(LanguageText(TextNeverNoDay));
    case TReason::OutOfCalendar: return FirstCharUpper(LanguageText(TextNoDateInCalendar));
    }
    return QString();
}

} // namespace

TFormEditDate::TFormEditDate(QWidget* parent)
    : TFormEx(parent)
    , m_Ui(std::make_unique<Ui::FormEditDate>())
    , m_OpenDialog(new QFileDialog(this))
{
    m_Ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_OpenDialog->setObjectName(QStringLiteral("OpenDialogMediafile"));
    m_OpenDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_OpenDialog->setFileMode(QFileDialog::ExistingFile);
    m_OpenDialog->setDirectory(GetMediaPath());
    m_Ui->EditDateStop->setDate(QDate::currentDate());
    m_Ui->SpinEditMonthlyDay->installEventFilter(this);
    m_Ui->SpinEditYearlyDay->installEventFilter(this);
    m_Ui->MemoDisplayText->installEventFilter(this);
    CreateChoosers();
    ChainTabOrder();
    connect(m_Ui->SpinEditRepeatCount, &QSpinBox::valueChanged, this, &TFormEditDate::UpdateRepeatCountLabel);
    connect(m_Ui->SpinEditVorwarnzeit, &QSpinBox::valueChanged, this, &TFormEditDate::UpdateAdvanceWarnLabel);
    SetTexts();
    AssignHotKeys(QList<QWidget*>{m_Ui->CheckBoxActive, m_Ui->RadioGroupIsCyclic, m_Ui->LabelEditDateStart,
                                  m_Ui->LabelPageControlCycle, m_Ui->LabelSpinEditRepetition, m_Ui->GroupBoxCycleStop,
                                  m_Ui->ButtonPreview, m_Ui->LabelComboBoxCategory, m_Ui->LabelRemark,
                                  m_Ui->GroupBoxDisplayOptions, m_Ui->LabelDisplayText, m_Ui->LabelIcon,
                                  m_Ui->LabelMediafile, m_Ui->LabelAdvanceWarn});
    m_Ui->ComboBoxIcon->setCurrentIndex(0);
    MediaHistory().LoadFromRegistry(GetRegistry(), HistoryMediafilesKey);
    MediaHistory().History().SetModified(false);
    connect(m_Ui->HistoryComboBoxMediafile, &QComboBox::currentTextChanged, this, &TFormEditDate::MediafileChanged);
    FillNameLists();

    connect(m_Ui->RadioGroupIsCyclicOnce, &QRadioButton::toggled, this, &TFormEditDate::VemoraEntryIsCyclicChanged);
    connect(m_Ui->PageControlCycleKind, &QTabWidget::currentChanged, this, &TFormEditDate::PageControlCycleKindChange);
    connect(m_Ui->CheckBoxDateStopHave, &QCheckBox::toggled, this, &TFormEditDate::VemoraEntryDateStopHaveChanged);
    connect(m_Ui->CheckBoxRepeatCountHave, &QCheckBox::toggled, this, &TFormEditDate::VemoraEntryMaxCountHaveChanged);
    connect(m_Ui->ButtonSearch, &QToolButton::clicked, this, &TFormEditDate::ButtonSearchClick);
    connect(m_Ui->ButtonPlay, &QToolButton::clicked, this, &TFormEditDate::ButtonPlayClick);
    connect(m_Ui->ButtonPreview, &QPushButton::clicked, this, &TFormEditDate::ButtonPreviewClick);
    connect(m_Ui->ButtonCategories, &QToolButton::clicked, this, &TFormEditDate::ButtonCategoriesClick);
    connect(m_Ui->ButtonOk, &QPushButton::clicked, this, [this] { done(EditResultOk); });
    connect(m_Ui->ButtonCancel, &QPushButton::clicked, this, [this] { done(EditResultCancel); });
    // Leaving the media combo puts its text into the history.
    m_Ui->HistoryComboBoxMediafile->installEventFilter(this);

    VemoraEntryDateStopHaveChanged();
    VemoraEntryMaxCountHaveChanged();
    PageControlCycleKindChange();
    // The layout decides the size; the design size is where it starts.
    setMinimumSize(minimumSizeHint());
    resize(size().expandedTo(minimumSizeHint()));
    LoadState();
    ResetFields();
    ConnectNextDates();
    UpdateNextDates();
    // Room for three long dates, so that the controls below stay put while the line changes.
    m_Ui->LabelNextDates->setMinimumHeight(3 * m_Ui->LabelNextDates->fontMetrics().lineSpacing());
}

TFormEditDate::~TFormEditDate()
{
    m_MediaPlayer.reset();
    if (MediaHistory().History().Modified())
        MediaHistory().SaveToRegistry(GetRegistry(), HistoryMediafilesKey);
    SaveState();
}

void TFormEditDate::CreateChoosers()
{
    const auto kindChooser = [this](const QString& name, bool withWeekdays, QAbstractButton* link) {
        auto* chooser = new TComboBoxDayKind(this);
        chooser->setObjectName(name);
        chooser->SetLinkedRadioButton(link);
        chooser->SetWithWeekdays(withWeekdays);
        chooser->RefillItems();
        return chooser;
    };
    const auto cycleChooser = [this](const QString& name, QAbstractButton* link) {
        auto* chooser = new TComboBoxDayCycle(this);
        chooser->setObjectName(name);
        chooser->SetLinkedRadioButton(link);
        chooser->RefillItems();
        return chooser;
    };
    m_DailyDayKind = kindChooser(QStringLiteral("ComboBoxDailyDaykind"), false, nullptr);
    m_Ui->LayoutDaily->addWidget(m_DailyDayKind, 0, 1);
    m_Ui->LabelComboBoxDailyDaykind->setBuddy(m_DailyDayKind);
    m_MonthlyDayCycle = cycleChooser(QStringLiteral("ComboBoxMonthlyDaycycle"), m_Ui->RadioButtonMonthlyDayCycleCycle);
    m_MonthlyDayKind = kindChooser(QStringLiteral("ComboBoxMonthlyDaykind"), true, m_Ui->RadioButtonMonthlyDayCycleCycle);
    m_Ui->LayoutMonthly->addWidget(m_MonthlyDayCycle, 1, 1);
    m_Ui->LayoutMonthly->addWidget(m_MonthlyDayKind, 1, 2, 1, 2);
    setTabOrder(m_MonthlyDayCycle, m_MonthlyDayKind);
    m_YearlyDayCycle = cycleChooser(QStringLiteral("ComboBoxYearlyDaycycle"), m_Ui->RadioButtonYearlyDayCycleCycle);
    m_YearlyDayKind = kindChooser(QStringLiteral("ComboBoxYearlyDaykind"), true, m_Ui->RadioButtonYearlyDayCycleCycle);
    m_Ui->LayoutYearly->addWidget(m_YearlyDayCycle, 1, 1);
    m_Ui->LayoutYearly->addWidget(m_YearlyDayKind, 1, 2, 1, 2);
    setTabOrder(m_YearlyDayCycle, m_YearlyDayKind);
}

// The choosers are made after the form, so they would come last in the focus chain; Tab
// follows the order a person sees instead: each page top to bottom, then the interval.
void TFormEditDate::ChainTabOrder()
{
    const Ui::FormEditDate& ui = *m_Ui;
    const QList<QWidget*> chain = {ui.PageControlCycleKind, m_DailyDayKind, ui.CheckListBoxWeekdays,
                                   ui.RadioButtonMonthlyDayCycleNone, ui.SpinEditMonthlyDay,
                                   ui.RadioButtonMonthlyDayCycleCycle, m_MonthlyDayCycle, m_MonthlyDayKind,
                                   ui.RadioButtonYearlyDayCycleNone, ui.SpinEditYearlyDay,
                                   ui.RadioButtonYearlyDayCycleCycle, m_YearlyDayCycle, m_YearlyDayKind,
                                   ui.ComboBoxYearlyMonths, ui.SpinEditRepetition};
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));
}

void TFormEditDate::ConnectNextDates()
{
    const Ui::FormEditDate& ui = *m_Ui;
    const auto update = [this] { UpdateNextDates(); };
    for (TDateEdit* date : {ui.EditDateStart, ui.EditDateStop}) {
        connect(date, &TDateEdit::dateChanged, this, update);
        connect(date, &QLineEdit::textEdited, this, update);
    }
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             ui.RadioGroupIsCyclicOnce, ui.CheckBoxDateStopHave, ui.CheckBoxRepeatCountHave,
             ui.RadioButtonMonthlyDayCycleNone, ui.RadioButtonYearlyDayCycleNone})
        connect(button, &QAbstractButton::toggled, this, update);
    for (QSpinBox* spin : {ui.SpinEditRepetition, ui.SpinEditRepeatCount, ui.SpinEditMonthlyDay, ui.SpinEditYearlyDay})
        connect(spin, &QSpinBox::valueChanged, this, update);
    for (QComboBox* combo : std::initializer_list<QComboBox*>{m_DailyDayKind, m_MonthlyDayCycle, m_MonthlyDayKind,
                                                              m_YearlyDayCycle, m_YearlyDayKind, ui.ComboBoxYearlyMonths})
        connect(combo, &QComboBox::currentIndexChanged, this, update);
    connect(ui.PageControlCycleKind, &QTabWidget::currentChanged, this, update);
    connect(ui.CheckListBoxWeekdays, &QListWidget::itemChanged, this, update);
}

// Computed with the model's own rules on an entry made of the fields as they stand.
void TFormEditDate::UpdateNextDates()
{
    const Ui::FormEditDate& ui = *m_Ui;
    QString text;
    if (!ui.EditDateStart->HasDate())
        text = NotADateText(ui.LabelEditDateStart->text());
    else if (CycleKind() != ekOnce && ui.CheckBoxDateStopHave->isChecked() && !ui.EditDateStop->HasDate())
        text = NotADateText(ui.GroupBoxCycleStop->title());
    else if (const std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(CycleKind())) {
        try {
            SaveToEntry(*entry);
            text = NextDatesText(FindNextDates(*entry, Today(), 3));
        } catch (const std::exception&) {
            // A day the month does not have (30 February) while it is being typed.
            text = LanguageText(TextNeverNoDay);
        }
    }
    text = FirstCharUpper(text);
    if (ui.LabelNextDates->text() != text)
        ui.LabelNextDates->setText(text);
}

void TFormEditDate::SetTexts()
{
    Ui::FormEditDate& ui = *m_Ui;
    setWindowTitle(LanguageText(0x6D2D93EE, windowTitle()));
    ui.CheckBoxActive->setText(LanguageText(0x1DD936B4, ui.CheckBoxActive->text()));
    ui.RadioGroupIsCyclic->setTitle(LanguageText(0x01DA53C3, ui.RadioGroupIsCyclic->title()));
    ui.RadioGroupIsCyclicOnce->setText(FirstCharUpper(LanguageText(0x7A4F9867)));
    ui.RadioGroupIsCyclicRepeated->setText(FirstCharUpper(LanguageText(0x074B1E73)));
    ui.LabelEditDateStart->setText(Suffixed(0x4A53787F, ui.LabelEditDateStart->text(), QStringLiteral(":")));
    ui.LabelPageControlCycle->setText(Suffixed(0x0ABE98B8, ui.LabelPageControlCycle->text(), QStringLiteral(":")));
    const QString every = LanguageText(0x69FD8CFA, ui.LabelComboBoxDailyDaykind->text());
    ui.LabelComboBoxDailyDaykind->setText(every);
    ui.LabelCheckListBoxWeekdays->setText(every);
    ui.GroupBoxMonthly->setTitle(every);
    ui.GroupBoxYearly->setTitle(every);
    ui.LabelMonthlyDay->setText(LanguageText(0x4614BFE0, ui.LabelMonthlyDay->text()));
    ui.LabelYearlyDay->setText(LanguageText(0x4614BFE0, ui.LabelYearlyDay->text()));
    ui.LabelComboBoxYearlyMonths->setText(LanguageText(0x68F5AA9E, ui.LabelComboBoxYearlyMonths->text()));
    ui.LabelSpinEditRepetition->setText(FirstCharUpper(LanguageText(0x7B1C7364), QStringLiteral(":")));
    ui.GroupBoxCycleStop->setTitle(FirstCharUpper(LanguageText(0x018A39B6, ui.GroupBoxCycleStop->title())));
    ui.CheckBoxDateStopHave->setText(LanguageText(0x780B35AB, ui.CheckBoxDateStopHave->text()));
    ui.CheckBoxRepeatCountHave->setText(LanguageText(0x65CA856B, ui.CheckBoxRepeatCountHave->text()));
    UpdateRepeatCountLabel();
    ui.ButtonPreview->setText(Suffixed(0x3E1F5CCB, QStringLiteral("Vorschau"), QStringLiteral("...")));
    ui.LabelRemark->setText(LanguageText(0x48F2ED71, QStringLiteral("Kommentar")) + u':');
    ui.GroupBoxDisplayOptions->setTitle(LanguageText(0x41B4696D, ui.GroupBoxDisplayOptions->title()));
    ui.LabelDisplayText->setText(LanguageText(0x030ECC68, QStringLiteral("anzuzeigender Text")) + u':');
    ui.MemoDisplayText->setToolTip(FirstCharUpper(LanguageText(0x030ECC68), QStringLiteral(".")) + QStringLiteral("\r\n")
                                   + LanguageText(0x5CBDACAE) + QStringLiteral("\r\n") + LanguageText(0x669E9744));
    ui.LabelComboBoxCategory->setText(Suffixed(0x3BA75637, QStringLiteral("Kategorie"), QStringLiteral(":")));
    ui.LabelIcon->setText(LanguageText(0x252C79A8, QStringLiteral("Symbol")) + u':');
    ui.ComboBoxIcon->clear();
    ui.ComboBoxIcon->addItem(u'(' + LanguageText(0x266BD381) + u')');
    // The pictures the alert's message box shows for these icons.
    const std::array<std::pair<quint32, QStyle::StandardPixmap>, 4> icons = {{{0x474FB069, QStyle::SP_MessageBoxCritical},
                                                                              {0x00533C9B, QStyle::SP_MessageBoxQuestion},
                                                                              {0x341CADDA, QStyle::SP_MessageBoxWarning},
                                                                              {0x05F47AFD, QStyle::SP_MessageBoxInformation}}};
    for (const auto& [id, icon] : icons)
        ui.ComboBoxIcon->addItem(style()->standardIcon(icon, nullptr, this), FirstCharUpper(LanguageText(id)));
    ui.LabelMediafile->setText(LanguageText(0x7F63B734, QStringLiteral("Mediadatei")) + u':');
    ui.ButtonSearch->setToolTip(LanguageText(0x61E7EFCA, ui.ButtonSearch->toolTip()));
    ui.ButtonPlay->setToolTip(LanguageText(0x3A84740D, ui.ButtonPlay->toolTip()));
    ui.ButtonSearch->setIcon(QIcon::fromTheme(QStringLiteral("document-open"), style()->standardIcon(QStyle::SP_DialogOpenButton)));
    ui.ButtonPlay->setIcon(QIcon::fromTheme(QStringLiteral("media-playback-start"), style()->standardIcon(QStyle::SP_MediaPlay)));
    ui.LabelAdvanceWarn->setText(LanguageText(0x56796A4D, QStringLiteral("Vorwarnzeit")) + u':');
    UpdateAdvanceWarnLabel();
    ui.ButtonOk->setText(FirstCharUpper(LanguageText(0x655C77AA, ui.ButtonOk->text())));
    ui.ButtonCancel->setText(FirstCharUpper(LanguageText(0x4560CF28, ui.ButtonCancel->text())));
    SetGlyph(ui.ButtonOk, TGlyphKind::Ok);
    SetGlyph(ui.ButtonCancel, TGlyphKind::Cancel);
    for (int kind = ekDaily; kind <= ekYearly; ++kind)
        ui.PageControlCycleKind->setTabText(PageOfKind(kind),
                                            FirstCharUpper(RepetitionUnitName(static_cast<TEntryKind>(kind), false)));
    m_OpenDialog->setNameFilters(FileDialogNameFilters(LanguageText(0x1F80A9E1)));
}

void TFormEditDate::FillNameLists()
{
    for (int weekday = 1; weekday <= 7; ++weekday) {
        auto* item = new QListWidgetItem(GetNameListItem(1, weekday - 1), m_Ui->CheckListBoxWeekdays);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    for (int month = 1; month <= 12; ++month)
        m_Ui->ComboBoxYearlyMonths->addItem(GetNameListItem(3, month - 1));
}

THistoryComboBox& TFormEditDate::MediaHistory() const
{
    return *m_Ui->HistoryComboBoxMediafile;
}

int TFormEditDate::Execute(TVemoraEntryBasic* entry, TVemoraEntries& entries)
{
    ResetFields();
    if (m_Ui->RadioGroupIsCyclic->isEnabled())
        SetFocusOnShow(m_Ui->RadioGroupIsCyclicRepeated);
    m_Entries = &entries;
    FillCategoryItems();
    m_Ui->ComboBoxCategory->setCurrentIndex(0);
    LoadFromEntry(entry);
    int result = exec();
    if (result == EditResultOk && !Modified())
        result = EditResultCancel;
    if (result == EditResultOk && m_Entry)
        m_Entry->MatchList().Invalidate();
    m_Entry = nullptr;
    m_Entries = nullptr;
    return result;
}

void TFormEditDate::reject()
{
    done(EditResultCancel);
}

void TFormEditDate::done(int result)
{
    if (FormCloseQuery(result))
        TFormEx::done(result == EditResultOk && !Modified() && m_Entry && !m_CategoriesChanged ? EditResultUnchanged : result);
}

// OK closes only with values that mean what they show; an unchanged entry closes with 3.
bool TFormEditDate::FormCloseQuery(int result)
{
    if (result != EditResultOk)
        return true;
    if (!ValidateFields())
        return false;
    const TEntryFields fields = Fields();
    if (fields.DisplayText.isEmpty()) {
        ShowFieldError(m_Ui->MemoDisplayText, 0x1ED269F0);
        return false;
    }
    if (m_Entry && !FieldsDiffer(fields, *m_Entry) && !m_CategoriesChanged)
        return true;
    int index = -1;
    if (m_Entries && m_Entries->FindByText(fields.DisplayText, index, m_Entry)) {
        TMessageRequest warning;
        warning.Text = LanguageText(0x79EA5299);
        warning.Icon = TMessageIcon::Warning;
        warning.Buttons = TMessageButtons::OkCancel;
        return MessageService().Show(warning) == TMessageResult::Ok;
    }
    return true;
}

bool TFormEditDate::ValidateFields()
{
    const int kind = CycleKind();
    if (!CheckDateField(*m_Ui->EditDateStart, m_Ui->LabelEditDateStart->text()))
        return false;
    if (kind == ekOnce)
        return true;
    if (!CheckSpinEditValue(m_Ui->SpinEditRepetition))
        return false;
    if (kind == ekWeekly && Fields().Weekdays == 0) {
        ShowFieldError(m_Ui->CheckListBoxWeekdays, 0x1ED269F0);
        return false;
    }
    if (kind == ekYearly) {
        if (!CheckSpinEditValue(m_Ui->SpinEditYearlyDay))
            return false;
        if (m_Ui->RadioButtonYearlyDayCycleNone->isChecked()
            && m_Ui->SpinEditYearlyDay->value() > MaxDayOfMonth(m_Ui->ComboBoxYearlyMonths->currentIndex() + 1)) {
            ShowFieldError(m_Ui->SpinEditYearlyDay, 0x78E68034);
            return false;
        }
    }
    if (m_Ui->CheckBoxRepeatCountHave->isChecked() && !CheckSpinEditValue(m_Ui->SpinEditRepeatCount))
        return false;
    if (!m_Ui->CheckBoxDateStopHave->isChecked())
        return true;
    if (!CheckDateField(*m_Ui->EditDateStop, m_Ui->GroupBoxCycleStop->title()))
        return false;
    // Such a series would be saved and never alert.
    if (m_Ui->EditDateStop->date() < m_Ui->EditDateStart->date()) {
        ShowFieldError(m_Ui->EditDateStop, TextStopBeforeStart);
        return false;
    }
    return true;
}


// A spin box corrects what is typed into it when it loses the focus, so its text is a number
// by the time OK is pressed; the check stays for whatever its text holds at that moment.
bool TFormEditDate::CheckSpinEditValue(QSpinBox* spinEdit)
{
    if (IsSpinEditValue(spinEdit->cleanText()))
        return true;
    ShowFieldError(spinEdit, 0x4F9F61D6);
    return false;
}

void TFormEditDate::ShowFieldError(QWidget* control, quint32 textId)
{
    ShowErrorMessage(FirstCharUpper(LanguageText(textId)));
    control->setFocus();
}

bool TFormEditDate::Modified() const
{
    return !m_Entry || FieldsDiffer(Fields(), *m_Entry);
}

void TFormEditDate::FillCategoryItems()
{
    QComboBox& combo = *m_Ui->ComboBoxCategory;
    combo.clear();
    TCategoryStrings strings;
    int index = -1;
    if (m_Entries) {
        m_Entries->Categories().AssignTo(strings);
        if (m_Entries->Categories().FindId(0, index))
            index = 0;
    }
    if (index < 0)
        strings.prepend({u'(' + LanguageText(0x266BD381) + u')', 0});
    for (const auto& [name, number] : strings)
        combo.addItem(name, number);
}

void TFormEditDate::SelectCategory(quint8 number)
{
    const int index = m_Ui->ComboBoxCategory->findData(number);
    if (index >= 0)
        m_Ui->ComboBoxCategory->setCurrentIndex(index);
}

void TFormEditDate::ButtonCategoriesClick()
{
    if (!m_Entries)
        return;
    const quint8 selected = Fields().Category;
    const bool confirmed = m_CategoriesCommand ? m_CategoriesCommand() : EditCategories(*m_Entries, false);
    if (!confirmed)
        return;
    FillCategoryItems();
    SelectCategory(selected);
    m_CategoriesChanged = true;
}

void TFormEditDate::ButtonPreviewClick()
{
    if (!ValidateFields())
        return;
    const std::unique_ptr<TVemoraEntryBasic> preview = CreateEntry(CycleKind());
    SaveToEntry(*preview);
    FormPreview().Execute(*preview);
}

void TFormEditDate::hideEvent(QHideEvent* event)
{
    HistoryComboBoxMediafileExit();
    if (m_MediaPlayer)
        m_MediaPlayer->Close();
    TFormEx::hideEvent(event);
}

bool TFormEditDate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_Ui->SpinEditMonthlyDay)
            m_Ui->RadioButtonMonthlyDayCycleNone->setChecked(true);
        else if (watched == m_Ui->SpinEditYearlyDay)
            m_Ui->RadioButtonYearlyDayCycleNone->setChecked(true);
    } else if (event->type() == QEvent::FocusOut && watched == m_Ui->HistoryComboBoxMediafile) {
        // The combo's own drop-down takes the focus too; that is no leaving.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            HistoryComboBoxMediafileExit();
    } else if (event->type() == QEvent::KeyPress && watched == m_Ui->MemoDisplayText) {
        // Enter confirms the dialog, as everywhere else in it; the text is one line of thought.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain) {
            m_Ui->ButtonOk->click();
            return true;
        }
    }
    return TFormEx::eventFilter(watched, event);
}

TFormEditDate& FormEditDate()
{
    static QPointer<TFormEditDate> dialog;
    return KeptForm(dialog);
}

bool EditCategories(TVemoraEntries& entries, bool readOnly)
{
    TFormCategories& dialog = FormCategories();
    if (!dialog.Execute(entries, readOnly))
        return false;
    entries.Categories().Assign(dialog.Categories());
    return true;
}
