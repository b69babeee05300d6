#include "ui/MonthGrid.h"

#include "support/DateFormat.h"
#include "support/DayNumbers.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int Columns = 7;
constexpr int Rows = TMonthGrid::DayCount / Columns;
constexpr int CellPadding = 8;

qint32 ClampToCalendar(qint64 day)
{
    return static_cast<qint32>(std::clamp<qint64>(day, MinDayNumber, MaxDayNumber));
}

} // namespace

qint32 AddMonths(qint32 day, int months)
{
    const TCivilDate date = CivilFromDay(day);
    const qint64 index = qint64(date.Year) * 12 + (date.Month - 1) + months;
    const int year = static_cast<int>(index / 12);
    if (year < 1)
        return MinDayNumber;
    if (year > 9999)
        return MaxDayNumber;
    const auto month = static_cast<unsigned>(index % 12 + 1);
    return DayFromCivil(year, month, std::min(date.Day, DaysInMonth(year, month)));
}

TMonthGrid::TMonthGrid(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    SetCurrentDay(0);
}

void TMonthGrid::SetCurrentDay(qint32 day)
{
    day = ClampToCalendar(day);
    const TCivilDate date = CivilFromDay(day);
    const qint32 monthStart = DayFromCivil(date.Year, date.Month, 1);
    const int back = (DayOfWeek(monthStart) - FormatSettings().FirstDayOfWeek + 7) % 7;
    const qint32 first = monthStart - back;
    const bool monthChanged = first != m_First;
    m_Current = day;
    m_First = first;
    update();
    if (monthChanged)
        emit MonthChanged();
}

void TMonthGrid::SetToday(qint32 day)
{
    m_Today = day;
    update();
}

void TMonthGrid::SetMarks(const std::array<TDayMark, DayCount>& marks)
{
    m_Marks = marks;
    update();
}

TDayMark TMonthGrid::Mark(qint32 day) const
{
    const qint64 cell = qint64(day) - m_First;
    return cell >= 0 && cell < DayCount ? m_Marks[static_cast<std::size_t>(cell)] : TDayMark::None;
}

QSize TMonthGrid::CellSize() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int width = metrics.horizontalAdvance(QStringLiteral("30"));
    for (const QString& name : FormatSettings().ShortDayNames)
        width = std::max(width, metrics.horizontalAdvance(name));
    return {width + 2 * CellPadding, metrics.height() + 2 * CellPadding};
}

QSize TMonthGrid::sizeHint() const
{
    const QSize cell = CellSize();
    return {cell.width() * Columns, cell.height() * (Rows + 1)};
}

QRect TMonthGrid::CellAt(int row, int column) const
{
    // Row 0 holds the weekday names; the cells share the widget's room.
    const int left = width() * column / Columns, right = width() * (column + 1) / Columns;
    const int top = height() * row / (Rows + 1), bottom = height() * (row + 1) / (Rows + 1);
    return {left, top, right - left, bottom - top};
}

QRect TMonthGrid::CellRect(qint32 day) const
{
    const qint64 cell = qint64(day) - m_First;
    if (cell < 0 || cell >= DayCount)
        return {};
    return CellAt(static_cast<int>(cell / Columns) + 1, static_cast<int>(cell % Columns));
}

std::optional<qint32> TMonthGrid::DayAt(const QPoint& position) const
{
    if (!rect().contains(position))
        return std::nullopt;
    const int row = position.y() * (Rows + 1) / std::max(height(), 1);
    const int column = position.x() * Columns / std::max(width(), 1);
    if (row < 1 || column >= Columns)
        return std::nullopt;
    const qint64 day = qint64(m_First) + (row - 1) * Columns + column;
    if (day < MinDayNumber || day > MaxDayNumber)
        return std::nullopt;
    return static_cast<qint32>(day);
}

void TMonthGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    PaintHeader(painter);
    for (int cell = 0; cell < DayCount; ++cell)
        PaintDay(painter, cell);
}

void TMonthGrid::PaintHeader(QPainter& painter)
{
    const TFormatSettings& settings = FormatSettings();
    painter.setPen(palette().color(QPalette::PlaceholderText));
    for (int column = 0; column < Columns; ++column) {
        const int weekday = (settings.FirstDayOfWeek - 1 + column) % 7; // 0 = Sunday
        painter.drawText(CellAt(0, column), Qt::AlignCenter, settings.ShortDayNames[static_cast<std::size_t>(weekday)]);
    }
}

void TMonthGrid::PaintDay(QPainter& painter, int cell)
{
    const qint64 dayNumber = qint64(m_First) + cell;
    if (dayNumber < MinDayNumber || dayNumber > MaxDayNumber)
        return;
    const auto day = static_cast<qint32>(dayNumber);
    const QRect area = CellRect(day).adjusted(1, 1, -1, -1);
    const TDayMark mark = m_Marks[static_cast<std::size_t>(cell)];
    const QColor highlight = palette().color(QPalette::Highlight);
    QColor tint = highlight;
    tint.setAlpha(mark == TDayMark::Occurrence ? 90 : 35);
    if (day == m_Current)
        painter.fillRect(area, highlight);
    else if (mark != TDayMark::None)
        painter.fillRect(area, tint);
    if (day == m_Today) {
        painter.setPen(QPen(palette().color(QPalette::Text), 2));
        painter.drawRect(area.adjusted(1, 1, -1, -1));
    }
    QFont dayFont = font();
    dayFont.setBold(mark == TDayMark::Occurrence);
    painter.setFont(dayFont);
    const bool inMonth = CivilFromDay(day).Month == CivilFromDay(m_Current).Month;
    painter.setPen(palette().color(day == m_Current ? QPalette::HighlightedText
                                   : inMonth        ? QPalette::Text
                                                    : QPalette::PlaceholderText));
    painter.drawText(area, Qt::AlignCenter, QString::number(CivilFromDay(day).Day));
    painter.setFont(font());
}

void TMonthGrid::mousePressEvent(QMouseEvent* event)
{
    const std::optional<qint32> day = DayAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !day)
        return QWidget::mousePressEvent(event);
    SetCurrentDay(*day);
    emit DayActivated(*day);
}

void TMonthGrid::keyPressEvent(QKeyEvent* event)
{
    qint64 day = m_Current;
    switch (event->key()) {
    case Qt::Key_Left: day -= 1; break;
    case Qt::Key_Right: day += 1; break;
    case Qt::Key_Up: day -= 7; break;
    case Qt::Key_Down: day += 7; break;
    case Qt::Key_PageUp: day = AddMonths(m_Current, -1); break;
    case Qt::Key_PageDown: day = AddMonths(m_Current, 1); break;
    case Qt::Key_Home: day = m_Today; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: emit DayActivated(m_Current); return;
    default: return QWidget::keyPressEvent(event);
    }
    SetCurrentDay(ClampToCalendar(day));
}

void TMonthGrid::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return QWidget::wheelEvent(event);
    SetCurrentDay(AddMonths(m_Current, -steps));
}

bool TMonthGrid::event(QEvent* event)
{
    // The window's Enter (edit) and Home must not take the keys that move about the days.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
            case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
            case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home:
            case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Space:
                event->accept();
                return true;
            default: break;
            }
        }
    }
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<qint32> day = DayAt(help->pos());
    const QString text = day && m_ToolTipSource ? m_ToolTipSource(*day) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this, CellRect(*day));
    return true;
}
