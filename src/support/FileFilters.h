#pragma once

#include <QStringList>

// A file-dialog filter written as language files hold it, "Description|*.a;*.b|...", as the
// name filters of a Qt file dialog ("Description (*.a *.b)").
QStringList FileDialogNameFilters(const QString& filter);
