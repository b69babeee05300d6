#pragma once

#include <QString>
#include <QStringView>

// The text as a search compares it: one letter case, accents and other marks dropped,
// compatibility forms (ligatures, full-width letters) as their plain letters, and "ß" as "ss",
// so that "muller" finds "Müller" and "strasse" finds "Straße", as the user's collation
// matches them. A search folds both sides and looks for the one in the other.
QString FoldForSearch(QStringView text);
// Appends the text folded, so that several texts fold into one string without a copy each.
void AppendFoldedForSearch(QString& folded, QStringView text);
