#include "ui/FormPreview.h"

#include "ui_FormPreview.h"

#include "app/DateFieldCheck.h"
#include "support/DateEdit.h"
#include "app/ErrorMessage.h"
#include "model/ModelErrors.h"
#include "model/PendingEvents.h"
#include "model/VemoraEntryBasic.h"
#include "support/DateFormat.h"
#include "support/DayNumbers.h"
#include "support/GlyphButtons.h"
#include "support/LocaleFormats.h"
#include "support/NLS.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

constexpr int DesignWidth = 365;
constexpr int DesignHeight = 367;
constexpr int MinimumWidth = 231;
constexpr int MinimumHeight = 205;
constexpr std::array<int, 3> PanelWidths{100, 100, 50};
constexpr int PanelMargin = 3;
constexpr qint64 PauseInterval = 20; // milliseconds
// Around the text of a list line, as styles draw it.
constexpr int ItemPadding = 8;

QString ReadyText()
{
    return LanguageText(0x372346AB, QStringLiteral("Bereit"));
}

QString CalculatingText()
{
    return FirstCharUpper(LanguageText(0x59E5542E, QStringLiteral("Wird berechnet")), QStringLiteral("..."));
}

QString CancelledText()
{
    return LanguageText(0x36967F4A, QStringLiteral("Abgebrochen"));
}

QString OccurrencesText(int count)
{
    return QString::number(count) + u' ' +
           (count == 1 ? LanguageText(0x42EA9AFB, QStringLiteral("Termin"))
                       : LanguageText(0x01B1A778, QStringLiteral("Termine")));
}

QString OverflowText()
{
    return LanguageText(0x5A61A501, QStringLiteral("Datumsgrenze überschritten (Jahr 9999)"));
}

QString SeriesCompleteText()
{
    return LanguageText(0x1B7F68F3, QStringLiteral("Serie beendet"));
}

QString SeriesContinuesText()
{
    return LanguageText(0x492CA95F, QStringLiteral("Serie läuft weiter"));
}

// Each panel is as wide as the longest text it can show, and at least as wide as designed.
void FitPanels(const std::array<QLabel*, 3>& panels, int maximumCount)
{
    const std::array<QStringList, 3> texts{
        QStringList{ReadyText(), CalculatingText(), CancelledText()},
        QStringList{OccurrencesText(1), OccurrencesText(maximumCount)},
        QStringList{OverflowText(), SeriesCompleteText(), SeriesContinuesText()}};
    for (std::size_t i = 0; i < panels.size(); ++i) {
        panels[i]->setContentsMargins(PanelMargin, 0, PanelMargin, 0);
        int width = 0;
        for (const QString& text : texts[i])
            width = std::max(width, panels[i]->fontMetrics().horizontalAdvance(text));
        panels[i]->setMinimumWidth(std::max(PanelWidths[i], width + 2 * PanelMargin));
    }
}

// The widest line a date gives: the 22nd to the 28th of the months bring every weekday with
// every month name, with two-digit days.
int WidestDateLine(const QFontMetrics& metrics)
{
    int widest = 0;
    for (unsigned month = 1; month <= 12; ++month)
        for (unsigned day = 22; day <= 28; ++day)
            widest = std::max(widest, metrics.horizontalAdvance(DateToLongStr(DayFromCivil(2024, month, day))));
    return widest;
}

// The model's long walks let events run through this hook; it belongs to one calculation and
// goes with it, also when the calculation ends in an exception.
class TPendingEventsHook {
public:
    explicit TPendingEventsHook(std::function<void()> hook) { SetPendingEventsHook(std::move(hook)); }
    ~TPendingEventsHook() { SetPendingEventsHook({}); }
    TPendingEventsHook(const TPendingEventsHook&) = delete;
    TPendingEventsHook& operator=(const TPendingEventsHook&) = delete;
};

} // namespace

TFormPreview::TFormPreview(QWidget* parent)
    : TFormEx(parent)
    , m_Ui(std::make_unique<Ui::FormPreview>())
{
    m_Ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    for (std::size_t i = 0; i < m_Panels.size(); ++i) {
        m_Panels[i] = new QLabel(m_Ui->StatusBar1);
        m_Panels[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
    }
    FormCreate();
    connect(m_Ui->ButtonCalcpreview, &QPushButton::clicked, this, &TFormPreview::ButtonCalcpreviewClick);
    connect(m_Ui->ButtonClose, &QPushButton::clicked, this, &TFormPreview::reject);
}

TFormPreview::~TFormPreview() = default;

void TFormPreview::FormCreate()
{
    setWindowTitle(FirstCharUpper(LanguageText(0x3E1F5CCB, windowTitle())));
    const auto label = [](QLabel* control, quint32 id) {
        control->setText(FirstCharUpper(LanguageText(id, control->text()), QStringLiteral(":")));
    };
    label(m_Ui->LabelEditDateStart, 0x65766E32);
    label(m_Ui->LabelSpinEditCountMax, 0x6FD10A87);
    label(m_Ui->LabelListBoxPreview, 0x01B1A778);
    m_IdleButtonText = LanguageText(0x63BB4D36, m_Ui->ButtonCalcpreview->text());
    m_Ui->ButtonCalcpreview->setText(m_IdleButtonText);
    m_Ui->ButtonClose->setText(FirstCharUpper(LanguageText(0x09938DDC, m_Ui->ButtonClose->text())));
    SetGlyph(m_Ui->ButtonClose, TGlyphKind::Close);

    TDateEdit* start = m_Ui->EditDateStart;
    start->setDate(DayToQDate(Today()));
    SetFocusOnShow(start);

    // Widths first: the status bar lays its panels out as they are added.
    FitPanels(m_Panels, m_Ui->SpinEditCountMax->maximum());
    for (std::size_t i = 0; i < m_Panels.size(); ++i)
        m_Ui->StatusBar1->addWidget(m_Panels[i], i + 1 == m_Panels.size() ? 1 : 0);
    QListWidget* list = m_Ui->ListBoxPreview;
    list->setMinimumWidth(WidestDateLine(list->fontMetrics()) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + ItemPadding);
    m_Panels[2]->setText(SeriesText());
    m_Panels[1]->setText(CountText());
    m_Panels[0]->setText(StateText());
    // The design size where the texts of the language and the dates fit in it, else what they need.
    const QSize needed = minimumSizeHint();
    SetTrackSize(0, std::max(MinimumWidth, needed.width()));
    SetTrackSize(1, std::max(MinimumHeight, needed.height()));
    resize(std::max(DesignWidth, minimumWidth()), std::max(DesignHeight, minimumHeight()));
}

void TFormPreview::Execute(TVemoraEntryBasic& entry)
{
    if (m_Busy)
        return;
    Reset(entry);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    m_Entry = nullptr;
}

void TFormPreview::Preview(TVemoraEntryBasic& entry, QDate start)
{
    if (m_Busy)
        return;
    Reset(entry);
    m_Ui->EditDateStart->setDate(start);
    ButtonCalcpreviewClick();
    m_Entry = nullptr;
}

void TFormPreview::Reset(TVemoraEntryBasic& entry)
{
    m_Ui->ListBoxPreview->clear();
    m_Overflow = false;
    m_Ui->EditDateStart->setDate(DayToQDate(Today()));
    m_Panels[1]->setText(CountText());
    m_Entry = &entry;
}

void TFormPreview::done(int result)
{
    if (m_Busy)
        m_Cancel = true;
    TFormEx::done(result);
}

void TFormPreview::ButtonCalcpreviewClick()
{
    if (m_Busy) {
        m_Cancel = true;
        return;
    }
    if (!m_Entry || !CheckDateField(*m_Ui->EditDateStart, m_Ui->LabelEditDateStart->text()))
        return;
    TVemoraEntryBasic& entry = *m_Entry;
    // Cleared before the busy state shows: a click seen from then on is a stop.
    m_Cancel = false;
    SetBusy(true);
    m_Ui->ListBoxPreview->clear();
    SetOverflow(false);
    m_SincePause.invalidate();
    std::optional<QString> error;
    try {
        // Once a stop is asked for, nothing else may run (the entry could go) until the walk ends.
        const TPendingEventsHook hook([this] {
            if (!m_Cancel)
                LetEventsRun();
        });
        Calculate(entry, QDateToDay(m_Ui->EditDateStart->date()));
    } catch (const EDateOverflow&) {
        SetOverflow(true);
    } catch (const std::exception& failure) {
        error = QString::fromUtf8(failure.what());
    }
    SetBusy(false);
    if (error)
        ShowErrorMessage(*error);
}

// The start day when it is an occurrence, without looking at the maximum (it is at least 1),
// then each next occurrence while fewer lines than the maximum are shown.
void TFormPreview::Calculate(TVemoraEntryBasic& entry, qint32 day)
{
    if (entry.IsOccurrenceDay(day))
        AddLine(day);
    qint32 next = 0;
    while (entry.FindOccurrence(day, next, FindNext) &&
           m_Ui->ListBoxPreview->count() < m_Ui->SpinEditCountMax->value()) {
        day = next;
        AddLine(day);
        LetEventsRun();
        if (m_Cancel)
            return;
    }
}

// At most every PauseInterval: painting each of hundreds of lines would cost far more than
// computing them, and a click still looks answered at once.
void TFormPreview::LetEventsRun()
{
    if (m_SincePause.isValid() && m_SincePause.elapsed() < PauseInterval)
        return;
    QCoreApplication::processEvents();
    m_SincePause.start();
}

void TFormPreview::AddLine(qint32 day)
{
    m_Ui->ListBoxPreview->addItem(DateToLongStr(day));
}

void TFormPreview::SetBusy(bool busy)
{
    if (busy == m_Busy)
        return;
    m_Busy = busy;
    m_Ui->ButtonCalcpreview->setText(busy ? LanguageText(0x3E673BEE, QStringLiteral("Berechnung abbrechen"))
                                          : m_IdleButtonText);
    if (busy)
        BeginWait();
    else
        EndWait();
    UpdateStatusBar();
}

void TFormPreview::SetOverflow(bool overflow)
{
    if (overflow == m_Overflow)
        return;
    m_Overflow = overflow;
    m_Panels[1]->setText(CountText());
}

void TFormPreview::UpdateStatusBar()
{
    m_Panels[2]->setText(SeriesText());
    m_Panels[1]->setText(CountText());
    // Lets the panels paint; clicks wait for the pauses between dates, so that none starts a
    // calculation inside the end of another.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_Panels[0]->setText(StateText());
}

QString TFormPreview::StateText() const
{
    if (m_Cancel)
        return CancelledText();
    return m_Busy ? CalculatingText() : ReadyText();
}

QString TFormPreview::CountText() const
{
    return OccurrencesText(m_Ui->ListBoxPreview->count());
}

QString TFormPreview::SeriesText() const
{
    if (!m_Entry)
        return {};
    if (m_Overflow)
        return OverflowText();
    return m_Entry->MatchList().IsComplete() ? SeriesCompleteText() : SeriesContinuesText();
}

TFormPreview& FormPreview()
{
    static QPointer<TFormPreview> instance;
    return KeptForm(instance);
}
