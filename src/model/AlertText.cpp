#include "model/AlertText.h"

#include "model/VemoraEntryBasic.h"
#include "platform/FormatText.h"
#include "support/NLS.h"

namespace {

constexpr quint32 TextTomorrow = 0x3483D21C;
constexpr quint32 TextInDays = 0x1ACE43F2;

} // namespace

QString OneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    return text.replace(u'\r', u' ');
}

QString AlertPrefix(qint32 daysAhead)
{
    QString prefix;
    if (daysAhead == 1)
        prefix = LanguageText(TextTomorrow);
    else if (daysAhead >= 2)
        prefix = FormatText(LanguageText(TextInDays), {QString::number(daysAhead)});
    return FirstCharUpper(prefix, QStringLiteral(": "));
}

TAlertMessage BuildAlertMessage(const TVemoraEntryBasic& entry, qint32 day)
{
    TAlertMessage message;
    const QString text = entry.AlertText(day, &message.Count);
    message.DaysAhead = entry.DaysAhead(day);
    message.Text = AlertPrefix(message.DaysAhead) + text;
    return message;
}

QString AlertMessageText(const TVemoraEntryBasic& entry, qint32 day)
{
    return BuildAlertMessage(entry, day).Text;
}
