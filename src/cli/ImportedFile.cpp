#include "cli/ImportedFile.h"

#include "cli/VCardImport.h"
#include "model/EntryFactory.h"
#include "model/VemoraEntries.h"
#include "platform/FormatText.h"
#include "support/NLS.h"

TImportedFile ImportFile(const QByteArray& text, const TCategories& categories, qint32 today)
{
    TVemoraEntries scratch;
    scratch.Categories().Assign(categories);
    TImportedFile imported;
    imported.Report = IsVCardText(text) ? ImportVCards(text, scratch, {}, today) : ImportCalendar(text, scratch);
    imported.Entries.reserve(static_cast<std::size_t>(scratch.Count()));
    for (int i = 0; i < scratch.Count(); ++i)
        imported.Entries.push_back(CloneEntry(*scratch.Items(i)));
    imported.Categories.Assign(scratch.Categories());
    return imported;
}

QString ImportReportText(const TImportReport& report, int maxLines)
{
    const int leftOut = report.LeftOut();
    const int imported = static_cast<int>(report.Items.size()) - leftOut;
    QString text = FormatText(LanguageText(0x5D41A736, QStringLiteral("%s imported, %s left out")),
                              {QString::number(imported), QString::number(leftOut)});
    int shown = 0;
    for (const TImportedItem& item : report.Items) {
        if (item.Reason.isEmpty())
            continue;
        if (shown++ == maxLines) {
            text += u'\n' + FormatText(LanguageText(0x2B7D4E12), {QString::number(leftOut - maxLines)});
            break;
        }
        text += u'\n' + (item.Date.isEmpty() ? QString() : item.Date + u' ') + item.Name + QStringLiteral(": ") + item.Reason;
    }
    return text;
}
