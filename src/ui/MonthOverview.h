#pragma once

#include "model/MonthMarks.h"

#include <QDockWidget>

#include <vector>

class QLabel;
class QToolButton;
class TMonthGrid;
class TVemoraEntries;

// The month calendar beside the entry list: the days on which the logon check alerts, marked,
// the day's alerts as a tip, and a click that picks the day's entries. It reads the entries
// only while shown.
class TMonthOverview : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int MaxTipLines = 10;

    TMonthOverview(TVemoraEntries& entries, QWidget* parent = nullptr);

    // The marks are made again once the events of the current change have been handled, so that
    // a change of many rows costs one pass.
    void ScheduleRefresh();
    void Refresh();
    void SetCaptions();
    TMonthGrid& Grid() const { return *m_Grid; }
    // The tip of a day: its long date and its alert lines, as rich text; empty without alerts.
    QString DayTip(qint32 day);

signals:
    // The indexes of the entries a day stands for: those that occur on it, else those it warns of.
    void EntriesChosen(const std::vector<int>& indexes);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowMonthTitle();
    void ChooseDay(qint32 day);
    const TDayMarks* MarksOf(qint32 day) const;

    TVemoraEntries& m_Entries;
    TMonthGrid* m_Grid;
    QLabel* m_Title;
    QToolButton* m_Previous;
    QToolButton* m_Next;
    std::vector<TDayMarks> m_Marks; // of the grid's days, from m_MarksFirst on
    qint32 m_MarksFirst = 0;
    bool m_RefreshPending = false;
};
