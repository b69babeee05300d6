#include "app/FormOptions.h"

#include "ui_FormOptions.h"

#include "app/VemoraLibState.h"
#include "settings/HistoryStringlist.h"
#include "support/DateFormat.h"
#include "support/DayNumbers.h"
#include "support/GlyphButtons.h"
#include "support/HotKeysWidgets.h"
#include "app/DateFieldCheck.h"
#include "support/DateEdit.h"
#include "support/LocaleFormats.h"
#include "support/NLS.h"

#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// A label's language text followed by ":"; the design caption without its ":" is the default.
QString LabelText(quint32 id, const QString& designCaption)
{
    QString fallback = designCaption;
    if (fallback.endsWith(u':'))
        fallback.chop(1);
    return LanguageText(id, fallback) + u':';
}

// The time of day of a date-time, also before day 0.
double TimeOfDay(double dateTime)
{
    return std::abs(dateTime - std::trunc(dateTime));
}

QPointer<TFormOptions> Options;

} // namespace

TFormOptions::TFormOptions(QWidget* parent)
    : TFormEx(parent)
    , m_Ui(std::make_unique<Ui::FormOptions>())
    , m_PickerTimeOfDay(TimeOfDay(Now()))
{
    m_Ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Ui::FormOptions& ui = *m_Ui;
    setWindowTitle(LanguageText(0x64680CD2, windowTitle()));
    ui.GroupBoxVerlauf->setTitle(LanguageText(0x3BC9E263, ui.GroupBoxVerlauf->title()));
    ui.LabelMaxCountHistory->setText(LabelText(0x7DE8C804, ui.LabelMaxCountHistory->text()));
    ui.LabelNumEditHistoryFiles->setText(LabelText(0x53CFD87E, ui.LabelNumEditHistoryFiles->text()));
    ui.LabelNumEditHistoryMedialist->setText(LabelText(0x21784B8E, ui.LabelNumEditHistoryMedialist->text()));
    const QString clearNow = LanguageText(0x063BA861, ui.ButtonDelHistoryFile->text());
    ui.ButtonDelHistoryFile->setText(clearNow);
    ui.ButtonDelHistoryMedialist->setText(clearNow);
    ui.GroupBoxLastAutoStart->setTitle(LanguageText(0x26F9CBEE, ui.GroupBoxLastAutoStart->title()));
    ui.RadioButtonLastAutoStartNever->setText(LanguageText(0x6B969439, ui.RadioButtonLastAutoStartNever->text()));
    ui.RadioButtonLastAutoStartAt->setText(LabelText(0x780B35AB, ui.RadioButtonLastAutoStartAt->text()));
    ui.CheckBoxShowAutoRunVemora->setText(LanguageText(0x3F189C30, ui.CheckBoxShowAutoRunVemora->text()));
    ui.CheckBoxShowMissedAlerts->setText(LanguageText(0x2B7D4E10, ui.CheckBoxShowMissedAlerts->text()));
    ui.CheckBoxAlertsAsNotifications->setText(LanguageText(0x5D41A712, ui.CheckBoxAlertsAsNotifications->text()));
    ui.ButtonOk->setText(FirstCharUpper(LanguageText(0x655C77AA, ui.ButtonOk->text())));
    m_CancelCaption = FirstCharUpper(LanguageText(0x4560CF28, ui.ButtonCancel->text()));
    m_CloseCaption = FirstCharUpper(LanguageText(0x09938DDC, QStringLiteral("Schließen")));
    SetGlyph(ui.ButtonOk, TGlyphKind::Ok);
    SetEmptied(false);

    // Arrows only: the line edit inside takes no typed text, so nothing beyond 99 gets in.
    for (QSpinBox* edit : {ui.NumEditHistoryFiles, ui.NumEditHistoryMedialist})
        if (auto* text = edit->findChild<QLineEdit*>())
            text->setReadOnly(true);
    ui.EditLastAutoRun->setDate(DayToQDate(Today()));
    ui.EditLastAutoRun->installEventFilter(this);

    AssignHotKeys(QList<QWidget*>{ui.RadioButtonLastAutoStartNever, ui.RadioButtonLastAutoStartAt,
                                  ui.LabelNumEditHistoryFiles, ui.ButtonDelHistoryFile,
                                  ui.LabelNumEditHistoryMedialist, ui.ButtonDelHistoryMedialist,
                                  ui.CheckBoxShowAutoRunVemora, ui.CheckBoxShowMissedAlerts,
                                  ui.CheckBoxAlertsAsNotifications});
    // A fixed size, as large as the texts of the language need.
    setFixedSize(QSize(width(), height()).expandedTo(minimumSizeHint()));
    // The focus left in the date edit by the last use would select "am:" when shown again.
    SetFocusOnShow(ui.NumEditHistoryFiles);

    connect(ui.ButtonDelHistoryFile, &QPushButton::clicked, this, &TFormOptions::ButtonDelHistoryFileClick);
    connect(ui.ButtonDelHistoryMedialist, &QPushButton::clicked, this, &TFormOptions::ButtonDelHistoryMedialistClick);
    connect(ui.RadioButtonLastAutoStartAt, &QRadioButton::clicked, this, &TFormOptions::RadioButtonLastAutoStartAtClick);
    connect(ui.ButtonOk, &QPushButton::clicked, this, [this] {
        // The day of the last check is only taken when it is a day.
        if (m_Ui->RadioButtonLastAutoStartNever->isChecked()
            || CheckDateField(*m_Ui->EditLastAutoRun, m_Ui->GroupBoxLastAutoStart->title()))
            accept();
    });
    connect(ui.ButtonCancel, &QPushButton::clicked, this, &TFormOptions::reject);
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::SetLastBatchRun(double dateTime)
{
    if (dateTime == 0 || !std::isfinite(dateTime)) {
        m_Ui->RadioButtonLastAutoStartNever->setChecked(true);
        return;
    }
    m_Ui->RadioButtonLastAutoStartAt->setChecked(true);
    const double day =
        std::clamp(std::trunc(dateTime), static_cast<double>(MinDayNumber), static_cast<double>(MaxDayNumber));
    m_Ui->EditLastAutoRun->setDate(DayToQDate(static_cast<int>(day)));
}

double TFormOptions::LastBatchRun() const
{
    if (m_Ui->RadioButtonLastAutoStartNever->isChecked())
        return 0;
    // Before day 0 the fraction counts away from zero as well.
    const int day = QDateToDay(m_Ui->EditLastAutoRun->date());
    return day < 0 ? day - m_PickerTimeOfDay : day + m_PickerTimeOfDay;
}

void TFormOptions::SetShowAutoRun(bool show)
{
    if (m_Ui->CheckBoxShowAutoRunVemora->isChecked() != show)
        m_Ui->CheckBoxShowAutoRunVemora->setChecked(show);
}

bool TFormOptions::ShowAutoRun() const
{
    return m_Ui->CheckBoxShowAutoRunVemora->isChecked();
}

void TFormOptions::SetShowMissedAlerts(bool show)
{
    m_Ui->CheckBoxShowMissedAlerts->setChecked(show);
}

bool TFormOptions::ShowMissedAlerts() const
{
    return m_Ui->CheckBoxShowMissedAlerts->isChecked();
}

void TFormOptions::SetAlertsAsNotifications(bool asNotifications)
{
    m_Ui->CheckBoxAlertsAsNotifications->setChecked(asNotifications);
}

bool TFormOptions::AlertsAsNotifications() const
{
    return m_Ui->CheckBoxAlertsAsNotifications->isChecked();
}

bool TFormOptions::Execute(THistoryStringlist& fileHistory, THistoryStringlist& mediaHistory)
{
    m_FileHistory = &fileHistory;
    m_MediaHistory = &mediaHistory;
    ShowLists();
    SetEmptied(false);
    const bool ok = exec() == QDialog::Accepted;
    m_FileHistory = nullptr;
    m_MediaHistory = nullptr;
    return ok;
}

int TFormOptions::FileHistoryMax() const
{
    return m_Ui->NumEditHistoryFiles->value();
}

int TFormOptions::MediaHistoryMax() const
{
    return m_Ui->NumEditHistoryMedialist->value();
}

void TFormOptions::ShowLists()
{
    m_Ui->NumEditHistoryFiles->setValue(m_FileHistory->MaxCount());
    m_Ui->NumEditHistoryMedialist->setValue(m_MediaHistory->MaxCount());
    m_Ui->ButtonDelHistoryFile->setEnabled(m_FileHistory->Count() > 0);
    m_Ui->ButtonDelHistoryMedialist->setEnabled(m_MediaHistory->Count() > 0);
}

void TFormOptions::SetEmptied(bool emptied)
{
    m_Ui->ButtonCancel->setText(emptied ? m_CloseCaption : m_CancelCaption);
    SetGlyph(m_Ui->ButtonCancel, emptied ? TGlyphKind::Close : TGlyphKind::Cancel);
}

void TFormOptions::ButtonDelHistoryFileClick()
{
    if (m_FileHistory)
        Empty(*m_FileHistory);
}

void TFormOptions::ButtonDelHistoryMedialistClick()
{
    if (m_MediaHistory)
        Empty(*m_MediaHistory);
}

void TFormOptions::Empty(THistoryStringlist& list)
{
    list.Clear();
    ShowLists();
    SetEmptied(true);
}

void TFormOptions::RadioButtonLastAutoStartAtClick()
{
    if (isVisible())
        m_Ui->EditLastAutoRun->setFocus();
}

bool TFormOptions::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_Ui->EditLastAutoRun && event->type() == QEvent::FocusIn)
        m_Ui->RadioButtonLastAutoStartAt->setChecked(true);
    return TFormEx::eventFilter(watched, event);
}

void TFormOptions::showEvent(QShowEvent* event)
{
    TFormEx::showEvent(event);
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
}

TFormOptions& OptionsDialog(QWidget* parent)
{
    if (!Options)
        Options = new TFormOptions(parent);
    return *Options;
}

bool RunOptionsCommand(QWidget* parent, bool& showAutoRun, THistoryStringlist& fileHistory,
                       THistoryStringlist& mediaHistory)
{
    TFormOptions& dialog = OptionsDialog(parent);
    dialog.SetLastBatchRun(GetLastBatchRun());
    dialog.SetShowAutoRun(showAutoRun);
    dialog.SetShowMissedAlerts(GetShowMissedAlerts());
    dialog.SetAlertsAsNotifications(GetAlertsAsNotifications());
    if (!dialog.Execute(fileHistory, mediaHistory))
        return false;
    showAutoRun = dialog.ShowAutoRun();
    SetLastBatchRun(dialog.LastBatchRun());
    SetShowMissedAlerts(dialog.ShowMissedAlerts());
    SetAlertsAsNotifications(dialog.AlertsAsNotifications());
    fileHistory.SetMaxCount(dialog.FileHistoryMax());
    mediaHistory.SetMaxCount(dialog.MediaHistoryMax());
    return true;
}
