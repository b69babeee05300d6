#include "support/DateEdit.h"

#include "support/DateFormat.h"
#include "support/DateInput.h"
#include "support/DayNumbers.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>

namespace {

// The day numbers reach from the year 1; the fields keep to whole four-digit years.
const QDate FirstDate(100, 1, 1);
const QDate LastDate(9999, 12, 31);

QString FieldText(const QDate& date)
{
    return FormatDateTime(DateFieldFormat(FormatSettings().ShortDateFormat), QDateToDay(date));
}

} // namespace

TDateEdit::TDateEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_Date(QDate::currentDate())
{
    QAction* drop = addAction(QIcon::fromTheme(QStringLiteral("x-office-calendar"), style()->standardIcon(QStyle::SP_ArrowDown)),
                              QLineEdit::TrailingPosition);
    drop->setObjectName(QStringLiteral("ShowCalendar"));
    connect(drop, &QAction::triggered, this, &TDateEdit::ShowCalendar);
    connect(this, &QLineEdit::textEdited, this, &TDateEdit::TextEdited);
    // Once the person is done, the field shows the date in its own format again.
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (m_HasDate && text() != FieldText(m_Date))
            setText(FieldText(m_Date));
    });
    ShowAsDate(m_Date);
    // Room for the widest date of the format, not just today's, and the calendar button.
    setMinimumWidth(fontMetrics().horizontalAdvance(FieldText(QDate(2000, 12, 28)) + QStringLiteral("00"))
                    + style()->pixelMetric(QStyle::PM_SmallIconSize) + 16);
}

void TDateEdit::setDate(const QDate& date)
{
    if (!date.isValid())
        return;
    const QDate bounded = std::clamp(date, FirstDate, LastDate);
    ShowAsDate(bounded);
    TakeDate(bounded);
}

void TDateEdit::ShowAsDate(const QDate& date)
{
    setText(FieldText(date));
    m_HasDate = true;
    ShowState();
}

void TDateEdit::TakeDate(const QDate& date)
{
    if (date == m_Date)
        return;
    m_Date = date;
    emit dateChanged(m_Date);
}

void TDateEdit::TextEdited(const QString& text)
{
    const std::optional<QDate> typed =
        ParseDateInput(text, {FormatSettings().ShortDateFormat, m_Date, QDate::currentDate().year()});
    m_HasDate = typed && *typed >= FirstDate && *typed <= LastDate;
    ShowState();
    if (m_HasDate)
        TakeDate(*typed);
}

// A field that holds no date says so in its colours.
void TDateEdit::ShowState()
{
    if (property("NoDate").toBool() == !m_HasDate)
        return;
    setProperty("NoDate", !m_HasDate);
    QPalette colours = palette();
    if (m_HasDate) {
        colours = QPalette();
    } else {
        colours.setColor(QPalette::Base, QColor(0xff, 0xd8, 0xd8));
        colours.setColor(QPalette::Text, QColor(0x90, 0x00, 0x00));
    }
    setPalette(colours);
}

// Focus from the keyboard or from code selects the whole date, so typing replaces it.
void TDateEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        selectAll();
}

void TDateEdit::keyPressEvent(QKeyEvent* event)
{
    const auto step = [this](QDate date) {
        setDate(date);
        selectAll();
    };
    if (event->matches(QKeySequence::Paste) && PasteDate())
        return;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (m_HasDate && plain) {
        switch (event->key()) {
        case Qt::Key_Up: step(m_Date.addDays(1)); return;
        case Qt::Key_Down: step(m_Date.addDays(-1)); return;
        case Qt::Key_PageUp: step(m_Date.addMonths(1)); return;
        case Qt::Key_PageDown: step(m_Date.addMonths(-1)); return;
        default: break;
        }
    }
    if ((event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier) || (event->key() == Qt::Key_F4 && plain)) {
        ShowCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// A whole date pasted replaces the text, wherever the cursor stood.
bool TDateEdit::PasteDate()
{
    const QString pasted = QApplication::clipboard()->text().trimmed();
    const std::optional<QDate> date =
        ParseDateInput(pasted, {FormatSettings().ShortDateFormat, m_Date, QDate::currentDate().year()});
    if (pasted.isEmpty() || !date || isReadOnly())
        return false;
    setDate(*date);
    return true;
}

void TDateEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    if (QAction* pasteAction = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(pasteAction, &QAction::triggered, nullptr, nullptr);
        connect(pasteAction, &QAction::triggered, this, [this] {
            if (!PasteDate())
                paste();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TDateEdit::ShowCalendar()
{
    if (!isEnabled() || isReadOnly())
        return;
    if (!m_Calendar) {
        m_Calendar = new QCalendarWidget(this);
        m_Calendar->setObjectName(QStringLiteral("Calendar"));
        m_Calendar->setWindowFlags(Qt::Popup);
        m_Calendar->setDateRange(FirstDate, LastDate);
        connect(m_Calendar, &QCalendarWidget::activated, this, [this](QDate date) {
            m_Calendar->hide();
            setDate(date);
            setFocus(Qt::PopupFocusReason);
        });
        connect(m_Calendar, &QCalendarWidget::clicked, m_Calendar, &QCalendarWidget::activated);
    }
    m_Calendar->setSelectedDate(m_Date);
    m_Calendar->adjustSize();
    m_Calendar->move(mapToGlobal(QPoint(0, height())));
    m_Calendar->show();
    m_Calendar->setFocus();
}
