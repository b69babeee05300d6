#pragma once

#include <QString>

class TDateEdit;

// A caption as a message names its field: without its accelerator mark and colon.
QString FieldName(const QString& caption);
// The text that says the field named by caption holds no date.
QString NotADateText(const QString& caption);
// True when the field holds a date; otherwise says so, naming the field, and focuses it.
bool CheckDateField(TDateEdit& field, const QString& caption);
