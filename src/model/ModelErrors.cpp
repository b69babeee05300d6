#include "model/ModelErrors.h"

#include "platform/FormatText.h"
#include "support/NLS.h"

EDateOverflow::EDateOverflow()
    : std::runtime_error(LanguageText(0x5A61A501).toStdString())
{
}

EInvalidDate::EInvalidDate(int year, int month, int day)
    : std::runtime_error(QStringLiteral("%1-%2-%3 is not a valid date")
                             .arg(year, 4, 10, QChar(u'0'))
                             .arg(month, 2, 10, QChar(u'0'))
                             .arg(day, 2, 10, QChar(u'0'))
                             .toStdString())
{
}

EEntryFileError::EEntryFileError(const QString& what)
    : EEntryFileError(0x3A6F1C02, what)
{
}

EEntryFileError::EEntryFileError(quint32 textId, const QString& argument)
    : std::runtime_error(FormatText(LanguageText(textId), {argument}).toStdString())
{
}
