#pragma once

#include <QString>

// A text of the import's report in the loaded language; the English text names it, so that
// the code reads as the report does.
QString ImportText(const char* english);
