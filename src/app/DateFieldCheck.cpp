#include "app/DateFieldCheck.h"

#include "app/ErrorMessage.h"
#include "platform/FormatText.h"
#include "support/DateEdit.h"
#include "support/NLS.h"

namespace {

constexpr quint32 TextNotADate = 0x5D41A701;

} // namespace

QString FieldName(const QString& caption)
{
    QString name;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" is a literal ampersand, a single "&" marks the accelerator.
        if (caption[i] == u'&' && ++i >= caption.size())
            break;
        name.append(caption[i]);
    }
    while (name.endsWith(u':') || name.endsWith(u' '))
        name.chop(1);
    return name;
}

QString NotADateText(const QString& caption)
{
    return FirstCharUpper(FormatText(LanguageText(TextNotADate), {FieldName(caption)}));
}

bool CheckDateField(TDateEdit& field, const QString& caption)
{
    if (field.HasDate())
        return true;
    ShowErrorMessage(NotADateText(caption));
    field.setFocus();
    return false;
}
