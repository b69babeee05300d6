// The entry editor's controls as values: reading, showing and resetting them, and the controls
// that follow other controls.
#include "ui/FormEditDate.h"

#include "ui_FormEditDate.h"

#include "app/ErrorMessage.h"
#include "settings/HistoryComboBox.h"
#include "support/DateEdit.h"
#include "support/DayNumbers.h"
#include "support/MCI.h"
#include "support/NLS.h"
#include "ui/DayChoosers.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

qint32 DayOfDate(const QDate& date)
{
    return DayFromCivil(date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
}

QDate DateOfDay(qint32 day)
{
    const TCivilDate civil = CivilFromDay(day);
    return QDate(civil.Year, static_cast<int>(civil.Month), static_cast<int>(civil.Day));
}

void SetIfDifferent(TDateEdit* edit, const QDate& date)
{
    if (edit->date() != date)
        edit->setDate(date);
}

void SetIfDifferent(QCheckBox* box, bool checked)
{
    if (box->isChecked() != checked)
        box->setChecked(checked);
}

void SetIfDifferent(QSpinBox* spin, int value)
{
    if (spin->value() != value)
        spin->setValue(value);
}

} // namespace

int TFormEditDate::CycleKind() const
{
    if (!m_Ui->RadioGroupIsCyclicRepeated->isChecked())
        return ekOnce;
    return m_Ui->PageControlCycleKind->currentIndex() + 1;
}

void TFormEditDate::SetCycleKind(int kind)
{
    if (kind <= ekOnce || kind > ekYearly) {
        m_Ui->RadioGroupIsCyclicOnce->setChecked(true);
        return;
    }
    m_Ui->RadioGroupIsCyclicRepeated->setChecked(true);
    m_Ui->PageControlCycleKind->setCurrentIndex(kind - 1);
    PageControlCycleKindChange();
}

TComboBoxDayKind* TFormEditDate::CurrentDayKindChooser() const
{
    switch (CycleKind()) {
    case ekDaily: return m_DailyDayKind;
    case ekMonthly: return m_MonthlyDayKind;
    case ekYearly: return m_YearlyDayKind;
    default: return nullptr;
    }
}

TEntryFields TFormEditDate::Fields() const
{
    TEntryFields fields = ControlFields();
    if (m_Entry)
        fields = KeepUntouchedFields(fields, m_ShownFields, m_StoredFields);
    // A one-off is its start day and nothing else; the hidden limits are not saved with it.
    if (fields.CycleKind == ekOnce) {
        fields.DateStop = NoDateStop;
        fields.MaxCount = NoMaxCount;
    }
    return fields;
}

TEntryFields TFormEditDate::ControlFields() const
{
    const Ui::FormEditDate& ui = *m_Ui;
    TEntryFields fields;
    fields.Active = ui.CheckBoxActive->isChecked();
    fields.CycleKind = CycleKind();
    fields.DateStart = DayOfDate(ui.EditDateStart->date());
    fields.DateStop = ui.CheckBoxDateStopHave->isChecked() ? DayOfDate(ui.EditDateStop->date()) : NoDateStop;
    fields.MaxCount = ui.CheckBoxRepeatCountHave->isChecked() ? ui.SpinEditRepeatCount->value() : NoMaxCount;
    fields.Repetition = ui.SpinEditRepetition->value();
    fields.DisplayText = TrimDisplayText(ui.MemoDisplayText->toPlainText());
    fields.Comment = ui.EditComment->text();
    fields.Mediafile = ui.HistoryComboBoxMediafile->currentText();
    fields.Category = static_cast<quint8>(ui.ComboBoxCategory->currentData().toUInt());
    fields.Icon = static_cast<quint8>(16 * std::max(0, ui.ComboBoxIcon->currentIndex()));
    fields.AdvanceWarn = static_cast<quint8>(ui.SpinEditVorwarnzeit->value());
    for (int weekday = 1; weekday <= 7; ++weekday)
        if (ui.CheckListBoxWeekdays->item(weekday - 1)->checkState() == Qt::Checked)
            fields.Weekdays = static_cast<quint8>(fields.Weekdays | (1u << weekday));
    const bool yearly = fields.CycleKind == ekYearly;
    fields.Month = static_cast<quint8>(ui.ComboBoxYearlyMonths->currentIndex() + 1);
    const bool fixedDay = yearly ? ui.RadioButtonYearlyDayCycleNone->isChecked() : ui.RadioButtonMonthlyDayCycleNone->isChecked();
    fields.DayCycle = fixedDay ? quint8{dcNone} : (yearly ? m_YearlyDayCycle : m_MonthlyDayCycle)->Value();
    fields.Day = static_cast<quint8>((yearly ? ui.SpinEditYearlyDay : ui.SpinEditMonthlyDay)->value());
    if (TComboBoxDayKind* chooser = CurrentDayKindChooser())
        fields.DayKind = chooser->Value();
    return fields;
}

void TFormEditDate::SetFields(const TEntryFields& fields)
{
    Ui::FormEditDate& ui = *m_Ui;
    SetIfDifferent(ui.CheckBoxActive, fields.Active);
    if (ui.EditComment->text() != fields.Comment) {
        ui.EditComment->setText(fields.Comment);
        ui.EditComment->setCursorPosition(0); // a long comment shows its beginning
    }
    SetCycleKind(fields.CycleKind);
    SetIfDifferent(ui.EditDateStart, DateOfDay(fields.DateStart));
    if (fields.DateStop != NoDateStop)
        SetIfDifferent(ui.EditDateStop, DateOfDay(fields.DateStop));
    SetIfDifferent(ui.CheckBoxDateStopHave, fields.DateStop != NoDateStop);
    if (fields.MaxCount != NoMaxCount)
        SetIfDifferent(ui.SpinEditRepeatCount, fields.MaxCount);
    SetIfDifferent(ui.CheckBoxRepeatCountHave, fields.MaxCount != NoMaxCount);
    const QString text = TrimDisplayText(fields.DisplayText);
    if (ui.MemoDisplayText->toPlainText() != text)
        ui.MemoDisplayText->setPlainText(text);
    SetIfDifferent(ui.SpinEditVorwarnzeit, int{fields.AdvanceWarn});
    const int icon = std::min(IconIndex(fields.Icon), ui.ComboBoxIcon->count() - 1);
    if (ui.ComboBoxIcon->currentIndex() != icon)
        ui.ComboBoxIcon->setCurrentIndex(icon);
    // Media names compare as names do here: without regard to letter case.
    if (ui.HistoryComboBoxMediafile->currentText().compare(fields.Mediafile, Qt::CaseInsensitive) != 0)
        ui.HistoryComboBoxMediafile->setEditText(fields.Mediafile);
    SetIfDifferent(ui.SpinEditRepetition, fields.Repetition);
    SelectCategory(fields.Category);
    switch (fields.CycleKind) {
    case ekDaily:
        m_DailyDayKind->SetValue(fields.DayKind);
        break;
    case ekWeekly:
        for (int weekday = 1; weekday <= 7; ++weekday)
            ui.CheckListBoxWeekdays->item(weekday - 1)->setCheckState((fields.Weekdays >> weekday) & 1 ? Qt::Checked : Qt::Unchecked);
        break;
    case ekMonthly:
    case ekYearly: {
        const bool yearly = fields.CycleKind == ekYearly;
        if (yearly && fields.Month >= 1 && fields.Month <= 12)
            ui.ComboBoxYearlyMonths->setCurrentIndex(fields.Month - 1);
        QRadioButton* fixedDay = yearly ? ui.RadioButtonYearlyDayCycleNone : ui.RadioButtonMonthlyDayCycleNone;
        QRadioButton* cycle = yearly ? ui.RadioButtonYearlyDayCycleCycle : ui.RadioButtonMonthlyDayCycleCycle;
        if (fields.DayCycle == dcNone) {
            fixedDay->setChecked(true);
            SetIfDifferent(yearly ? ui.SpinEditYearlyDay : ui.SpinEditMonthlyDay, int{fields.Day});
        } else {
            cycle->setChecked(true);
            (yearly ? m_YearlyDayCycle : m_MonthlyDayCycle)->SetValue(fields.DayCycle);
            (yearly ? m_YearlyDayKind : m_MonthlyDayKind)->SetValue(fields.DayKind);
        }
        break;
    }
    default:
        break;
    }
}

void TFormEditDate::SaveToEntry(TVemoraEntryBasic& entry) const
{
    SaveFieldsToEntry(Fields(), entry);
}

void TFormEditDate::LoadFromEntry(TVemoraEntryBasic* entry)
{
    m_Entry = entry;
    if (!entry) {
        SelectCategory(0);
        return;
    }
    m_StoredFields = FieldsOfEntry(*entry);
    SetFields(m_StoredFields);
    m_ShownFields = ControlFields();
    UpdateNextDates();
}

// The daily and monthly choosers keep what the previous use chose.
void TFormEditDate::ResetFields()
{
    Ui::FormEditDate& ui = *m_Ui;
    m_CategoriesChanged = false;
    for (int row = 0; row < ui.CheckListBoxWeekdays->count(); ++row)
        ui.CheckListBoxWeekdays->item(row)->setCheckState(Qt::Unchecked);
    ui.CheckListBoxWeekdays->clearSelection();
    ui.ComboBoxIcon->setCurrentIndex(0);
    ui.ComboBoxCategory->clear();
    m_YearlyDayKind->setCurrentIndex(0);
    m_YearlyDayCycle->setCurrentIndex(0);
    ui.ComboBoxYearlyMonths->setCurrentIndex(0);
    m_Entry = nullptr;
    TEntryFields fields;
    fields.DateStart = Today();
    fields.DayKind = m_YearlyDayKind->Value();
    SetFields(fields);
    m_YearlyDayKind->SetValue(dkWorkingDay);
    ui.RadioButtonMonthlyDayCycleNone->setChecked(true);
    SetIfDifferent(ui.SpinEditMonthlyDay, 1);
    // A fresh day to offer as the end, not the previous entry's.
    SetIfDifferent(ui.EditDateStop, QDate::currentDate());
}

void TFormEditDate::VemoraEntryIsCyclicChanged()
{
    Ui::FormEditDate& ui = *m_Ui;
    const bool repeated = ui.RadioGroupIsCyclicRepeated->isChecked();
    if (ui.GroupBoxCycleStop->isVisibleTo(this) != repeated) {
        for (QWidget* control : std::initializer_list<QWidget*>{ui.LabelPageControlCycle, ui.PageControlCycleKind,
                                                                ui.LabelSpinEditRepetition, ui.SpinEditRepetition,
                                                                ui.LabelRepetitionUnit, ui.GroupBoxCycleStop})
            control->setVisible(repeated);
    }
    if (isVisible() && ui.EditDateStart->isEnabled())
        ui.EditDateStart->setFocus();
}

void TFormEditDate::PageControlCycleKindChange()
{
    m_Ui->LabelRepetitionUnit->setText(m_Ui->PageControlCycleKind->tabText(m_Ui->PageControlCycleKind->currentIndex()));
}

void TFormEditDate::VemoraEntryDateStopHaveChanged()
{
    const bool on = m_Ui->CheckBoxDateStopHave->isChecked();
    m_Ui->EditDateStop->setEnabled(on);
    if (on && isVisible())
        m_Ui->EditDateStop->setFocus();
}

void TFormEditDate::VemoraEntryMaxCountHaveChanged()
{
    const bool on = m_Ui->CheckBoxRepeatCountHave->isChecked();
    m_Ui->SpinEditRepeatCount->setEnabled(on);
    if (on && isVisible())
        m_Ui->SpinEditRepeatCount->setFocus();
}

void TFormEditDate::UpdateRepeatCountLabel()
{
    const quint32 id = m_Ui->SpinEditRepeatCount->value() == 1 ? 0x42EA9AFB : 0x01B1A778;
    m_Ui->LabelRepeatCountCaption->setText(LanguageText(id, m_Ui->LabelRepeatCountCaption->text()));
}

void TFormEditDate::UpdateAdvanceWarnLabel()
{
    const QString text = LanguageText(m_Ui->SpinEditVorwarnzeit->value() == 1 ? 0x4614BFE0 : 0x3B9A262A);
    if (m_Ui->LabelSpinEditVorwarnzeit->text() != text)
        m_Ui->LabelSpinEditVorwarnzeit->setText(text);
}

void TFormEditDate::MediafileChanged()
{
    m_Ui->ButtonPlay->setEnabled(!m_Ui->HistoryComboBoxMediafile->currentText().isEmpty());
    StopMediaIfPlaying();
}

void TFormEditDate::ButtonSearchClick()
{
    if (m_OpenDialog->exec() != QDialog::Accepted || m_OpenDialog->selectedFiles().isEmpty())
        return;
    const QString file = m_OpenDialog->selectedFiles().constFirst();
    m_Ui->HistoryComboBoxMediafile->setEditText(QFileInfo(file).absoluteFilePath());
    m_OpenDialog->setDirectory(QFileInfo(file).absolutePath());
    m_Ui->HistoryComboBoxMediafile->setFocus();
}

// A file that cannot be played is said so; the dialog stays usable.
void TFormEditDate::ButtonPlayClick()
{
    try {
        if (!m_MediaPlayer)
            m_MediaPlayer = std::make_unique<TMCI>();
        if (m_MediaPlayer->Mode() == mciModePlaying) {
            m_MediaPlayer->Stop();
            return;
        }
        m_MediaPlayer->SetFileName(m_Ui->HistoryComboBoxMediafile->currentText());
        m_MediaPlayer->SetWait(false);
        m_MediaPlayer->Open();
        m_MediaPlayer->Play();
    } catch (const EMCIDeviceError& error) {
        ShowErrorMessage(QString::fromUtf8(error.what()));
    }
}

void TFormEditDate::StopMediaIfPlaying()
{
    if (m_MediaPlayer && (m_MediaPlayer->Mode() == mciModeOpen || m_MediaPlayer->Mode() == mciModePlaying))
        m_MediaPlayer->Close();
}

void TFormEditDate::HistoryComboBoxMediafileExit()
{
    m_Ui->HistoryComboBoxMediafile->AddText();
}
