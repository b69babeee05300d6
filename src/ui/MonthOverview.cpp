#include "ui/MonthOverview.h"

#include "model/VemoraEntries.h"
#include "support/DateFormat.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/MonthGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TMonthOverview::TMonthOverview(TVemoraEntries& entries, QWidget* parent)
    : QDockWidget(parent)
    , m_Entries(entries)
    , m_Grid(new TMonthGrid)
    , m_Title(new QLabel)
    , m_Previous(new QToolButton)
    , m_Next(new QToolButton)
{
    setObjectName(QStringLiteral("MonthOverview"));
    m_Grid->setObjectName(QStringLiteral("MonthGrid"));
    m_Grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_Previous->setObjectName(QStringLiteral("PreviousMonth"));
    m_Next->setObjectName(QStringLiteral("NextMonth"));
    m_Previous->setArrowType(Qt::LeftArrow);
    m_Next->setArrowType(Qt::RightArrow);
    m_Previous->setAutoRaise(true);
    m_Next->setAutoRaise(true);
    m_Title->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_Title->font();
    titleFont.setBold(true);
    m_Title->setFont(titleFont);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_Previous);
    bar->addWidget(m_Title, 1);
    bar->addWidget(m_Next);
    auto* contents = new QWidget;
    auto* layout = new QVBoxLayout(contents);
    layout->addLayout(bar);
    layout->addWidget(m_Grid);
    layout->addStretch(1); // the days keep the room their text needs; the dock may be taller
    setWidget(contents);

    connect(m_Previous, &QToolButton::clicked, this, [this] { m_Grid->SetCurrentDay(AddMonths(m_Grid->CurrentDay(), -1)); });
    connect(m_Next, &QToolButton::clicked, this, [this] { m_Grid->SetCurrentDay(AddMonths(m_Grid->CurrentDay(), 1)); });
    connect(m_Grid, &TMonthGrid::MonthChanged, this, &TMonthOverview::Refresh);
    connect(m_Grid, &TMonthGrid::DayActivated, this, &TMonthOverview::ChooseDay);
    m_Grid->SetToolTipSource([this](qint32 day) { return DayTip(day); });
    m_Grid->SetCurrentDay(Today());
    SetCaptions();
}

void TMonthOverview::SetCaptions()
{
    setWindowTitle(FirstCharUpper(LanguageText(0x5D41A770, QStringLiteral("Monatsübersicht"))));
    m_Previous->setToolTip(FirstCharUpper(LanguageText(0x5D41A771, QStringLiteral("Voriger Monat"))));
    m_Next->setToolTip(FirstCharUpper(LanguageText(0x5D41A772, QStringLiteral("Nächster Monat"))));
    m_Grid->SetCurrentDay(m_Grid->CurrentDay()); // the country file may begin weeks on another day
    m_Grid->updateGeometry();
    ShowMonthTitle();
}

void TMonthOverview::ShowMonthTitle()
{
    const TCivilDate date = CivilFromDay(m_Grid->CurrentDay());
    m_Title->setText(FormatSettings().LongMonthNames[date.Month - 1] + u' ' + QString::number(date.Year));
}

void TMonthOverview::ScheduleRefresh()
{
    if (m_RefreshPending || !isVisible())
        return;
    m_RefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_RefreshPending)
            Refresh();
    });
}

void TMonthOverview::Refresh()
{
    m_RefreshPending = false;
    ShowMonthTitle();
    if (!isVisible())
        return;
    // The grid's first cells may lie before the calendar's first day; they stay unmarked.
    const qint32 cellsBefore = std::max(MinDayNumber - m_Grid->FirstShownDay(), 0);
    m_MarksFirst = m_Grid->FirstShownDay() + cellsBefore;
    m_Marks = MarkDays(m_Entries, m_MarksFirst, std::min(m_Grid->FirstShownDay() + TMonthGrid::DayCount - 1, MaxDayNumber));
    std::array<TDayMark, TMonthGrid::DayCount> marks{};
    for (std::size_t i = 0; i < m_Marks.size(); ++i)
        marks[i + static_cast<std::size_t>(cellsBefore)] = !m_Marks[i].Occurrences.empty() ? TDayMark::Occurrence
                                                          : !m_Marks[i].Warnings.empty()  ? TDayMark::Warning
                                                                                          : TDayMark::None;
    m_Grid->SetToday(Today());
    m_Grid->SetMarks(marks);
}

const TDayMarks* TMonthOverview::MarksOf(qint32 day) const
{
    const qint64 index = qint64(day) - m_MarksFirst;
    return index >= 0 && index < static_cast<qint64>(m_Marks.size()) ? &m_Marks[static_cast<std::size_t>(index)] : nullptr;
}

QString TMonthOverview::DayTip(qint32 day)
{
    const TDayMarks* marks = MarksOf(day);
    if (!marks || marks->Empty())
        return {};
    const QStringList lines = DayAlertLines(m_Entries, *marks, day, MaxTipLines);
    return QStringLiteral("<b>%1</b><p style='white-space:pre'>%2</p>")
        .arg(DateToLongStr(day).toHtmlEscaped(), lines.join(u'\n').toHtmlEscaped());
}

void TMonthOverview::ChooseDay(qint32 day)
{
    const TDayMarks* marks = MarksOf(day);
    if (!marks || marks->Empty())
        return;
    emit EntriesChosen(marks->Occurrences.empty() ? marks->Warnings : marks->Occurrences);
}

void TMonthOverview::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    Refresh();
}
