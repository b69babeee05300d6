#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QPointer>

class QFocusEvent;

// A drop-down list without typed text whose items carry the numbers of a recurrence rule, so
// that its users read and write numbers, never item positions.
class TComboBoxDropDown : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBoxDropDown(QWidget* parent = nullptr);

    // The radio button that the list belongs to; checked when the list takes the focus.
    QAbstractButton* LinkedRadioButton() const { return m_LinkedRadioButton; }
    void SetLinkedRadioButton(QAbstractButton* button) { m_LinkedRadioButton = button; }

    // Rebuilds the items, keeping the selected position while it still exists, else taking
    // the first item; the drop-down shows every item without scrolling.
    void RefillItems();
    // The value of the selected item; 0 when nothing is selected.
    quint8 Value() const;
    // Selects the first item with the value; an unknown value changes nothing.
    void SetValue(quint8 value);

protected:
    virtual void FillItems() = 0;
    void AddValueItem(const QString& text, quint8 value);
    void focusInEvent(QFocusEvent* event) override;

private:
    quint8 ItemValue(int index) const;

    QPointer<QAbstractButton> m_LinkedRadioButton;
};

// Any day, a working day, a weekend day and, on request, the seven weekdays.
class TComboBoxDayKind : public TComboBoxDropDown {
    Q_OBJECT
public:
    using TComboBoxDropDown::TComboBoxDropDown;

    bool WithWeekdays() const { return m_WithWeekdays; }
    void SetWithWeekdays(bool withWeekdays);

protected:
    void FillItems() override;

private:
    bool m_WithWeekdays = false;
};

// Which occurrence of a day in the month: first to fourth, or last.
class TComboBoxDayCycle : public TComboBoxDropDown {
    Q_OBJECT
public:
    using TComboBoxDropDown::TComboBoxDropDown;

protected:
    void FillItems() override;
};
