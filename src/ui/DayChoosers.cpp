#include "ui/DayChoosers.h"

#include "model/EntryTypes.h"
#include "support/NLS.h"

#include <QLocale>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

namespace {

// The long weekday names of the country file; index 0 is Sunday.
constexpr int LongDayNameList = 1;

// Redrawing stops while the items are rebuilt and resumes whatever happens in between.
class TUpdatesSuspended {
public:
    explicit TUpdatesSuspended(QWidget& widget)
        : m_Widget(widget)
        , m_WasEnabled(widget.updatesEnabled())
    {
        m_Widget.setUpdatesEnabled(false);
    }
    ~TUpdatesSuspended() { m_Widget.setUpdatesEnabled(m_WasEnabled); }
    TUpdatesSuspended(const TUpdatesSuspended&) = delete;
    TUpdatesSuspended& operator=(const TUpdatesSuspended&) = delete;

private:
    QWidget& m_Widget;
    bool m_WasEnabled;
};

// weekday: 1 = Sunday .. 7 = Saturday. A country file with a short name list must not leave a
// weekday without a name, so the system's name stands in.
QString WeekdayName(int weekday)
{
    const QString name = GetNameListItem(LongDayNameList, weekday - 1);
    if (!name.isEmpty())
        return name;
    const int qtDay = weekday == 1 ? Qt::Sunday : weekday - 1; // Qt counts from Monday = 1
    return QLocale().standaloneDayName(qtDay, QLocale::LongFormat);
}

} // namespace

TComboBoxDropDown::TComboBoxDropDown(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
}

void TComboBoxDropDown::RefillItems()
{
    const int before = currentIndex();
    const int position = before < 0 ? 0 : before;
    {
        // The position is restored below; the passing states in between are no user's choice.
        const QSignalBlocker quiet(this);
        const TUpdatesSuspended suspended(*this);
        clear();
        FillItems();
        if (position < count())
            setCurrentIndex(position);
        else if (count() > 0)
            setCurrentIndex(0);
        setMaxVisibleItems(std::max(1, count()));
    }
    if (currentIndex() != before) {
        emit currentIndexChanged(currentIndex());
        emit currentTextChanged(currentText());
    }
}

quint8 TComboBoxDropDown::Value() const
{
    return ItemValue(currentIndex());
}

void TComboBoxDropDown::SetValue(quint8 value)
{
    if (currentIndex() >= 0 && Value() == value)
        return;
    for (int i = 0; i < count(); ++i)
        if (ItemValue(i) == value) {
            setCurrentIndex(i);
            return;
        }
}

// Only the low byte of an item's number is its value.
quint8 TComboBoxDropDown::ItemValue(int index) const
{
    return index < 0 ? 0 : static_cast<quint8>(itemData(index).toUInt() & 0xFF);
}

void TComboBoxDropDown::AddValueItem(const QString& text, quint8 value)
{
    addItem(text, QVariant::fromValue(static_cast<uint>(value)));
}

void TComboBoxDropDown::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (m_LinkedRadioButton)
        m_LinkedRadioButton->setChecked(true);
}

void TComboBoxDayKind::SetWithWeekdays(bool withWeekdays)
{
    if (withWeekdays == m_WithWeekdays)
        return;
    m_WithWeekdays = withWeekdays;
    RefillItems();
}

void TComboBoxDayKind::FillItems()
{
    AddValueItem(FirstCharUpper(LanguageText(0x4614BFE0, QStringLiteral("Tag"))), dkAnyDay);
    AddValueItem(FirstCharUpper(LanguageText(0x2B62948B, QStringLiteral("Werktag"))), dkWorkingDay);
    AddValueItem(FirstCharUpper(LanguageText(0x580402B1, QStringLiteral("Wochenendtag"))), dkWeekend);
    if (!m_WithWeekdays)
        return;
    for (int weekday = dkSunday; weekday <= dkSaturday; ++weekday)
        AddValueItem(WeekdayName(weekday), static_cast<quint8>(weekday));
}

void TComboBoxDayCycle::FillItems()
{
    struct TCycleText {
        quint32 Id;
        const char16_t* Default;
    };
    static constexpr std::array<TCycleText, 5> Texts{{{0x70988F2F, u"ersten"},
                                                      {0x125FA221, u"zweiten"},
                                                      {0x6FD8BEF2, u"dritten"},
                                                      {0x56145F63, u"vierten"},
                                                      {0x36C32047, u"letzten"}}};
    quint8 value = dcFirst;
    for (const TCycleText& text : Texts)
        AddValueItem(FirstCharUpper(LanguageText(text.Id, QString::fromUtf16(text.Default))), value++);
}
