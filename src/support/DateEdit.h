#pragma once

#include <QDate>
#include <QLineEdit>

class QCalendarWidget;

// A date field that takes a date as people type or paste it (see ParseDateInput): the whole
// text is read at each change, so a typed separator never skips a part, and a text that is no
// date (31/02/2027) stays as typed and is shown as such instead of being corrected into
// another day. Up and Down step a day, Page Up and Page Down a month, Alt+Down opens a
// calendar.
class TDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDateEdit(QWidget* parent = nullptr);

    // The date the text holds, or the last one it held while it holds none.
    QDate date() const { return m_Date; }
    void setDate(const QDate& date);
    // Whether the text is a date.
    bool HasDate() const { return m_HasDate; }
    void ShowCalendar();

signals:
    void dateChanged(const QDate& date);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void TextEdited(const QString& text);
    void ShowAsDate(const QDate& date);
    void TakeDate(const QDate& date);
    bool PasteDate();
    void ShowState();

    QDate m_Date;
    bool m_HasDate = true;
    QCalendarWidget* m_Calendar = nullptr;
};
