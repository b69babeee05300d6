#pragma once

#include <QWidget>

#include <array>
#include <functional>

// How a day of the grid is marked.
enum class TDayMark : quint8 { None, Warning, Occurrence };

// Six weeks of days around a month, drawn with the country file's weekday names and first
// weekday: occurrence days bold on a tint, warning days on a light tint, today framed, the
// current day highlighted. Arrow keys move the current day, Page Up and Page Down (and the
// wheel) the month, Home goes to today; a click or Enter activates the day.
class TMonthGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int DayCount = 42;

    explicit TMonthGrid(QWidget* parent = nullptr);

    // The month shown is that of the current day.
    void SetCurrentDay(qint32 day);
    qint32 CurrentDay() const { return m_Current; }
    // The day in the first cell: the first weekday on or before the month's first day.
    qint32 FirstShownDay() const { return m_First; }
    void SetToday(qint32 day);
    void SetMarks(const std::array<TDayMark, DayCount>& marks);
    TDayMark Mark(qint32 day) const;
    // Where the tip of a day comes from; an empty text shows none.
    void SetToolTipSource(std::function<QString(qint32 day)> source) { m_ToolTipSource = std::move(source); }
    // The day under a point of the widget, if any.
    std::optional<qint32> DayAt(const QPoint& position) const;
    QRect CellRect(qint32 day) const;

    QSize sizeHint() const override;

signals:
    // The shown month changed; the marks are out of date until SetMarks.
    void MonthChanged();
    void DayActivated(qint32 day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PaintHeader(QPainter& painter);
    void PaintDay(QPainter& painter, int cell);
    QRect CellAt(int row, int column) const;
    QSize CellSize() const;

    qint32 m_Current = 0;
    qint32 m_First = 0;
    qint32 m_Today = 0;
    std::array<TDayMark, DayCount> m_Marks{};
    std::function<QString(qint32)> m_ToolTipSource;
};

// The day a month step lands on: the same day of the month, or the month's last day.
qint32 AddMonths(qint32 day, int months);
