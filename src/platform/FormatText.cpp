#include "platform/FormatText.h"

QString FormatText(const QString& format, const QStringList& arguments)
{
    QString text;
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format[i];
        if (ch != u'%' || i + 1 == format.size()) {
            text += ch;
            continue;
        }
        const QChar kind = format[i + 1];
        if (kind == u'%') {
            text += u'%';
            ++i;
        } else if (kind == u's' || kind == u'd') {
            if (next < arguments.size())
                text += arguments[next];
            ++next;
            ++i;
        } else {
            text += ch;
        }
    }
    return text;
}
