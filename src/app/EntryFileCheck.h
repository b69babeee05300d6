#pragma once

#include <QString>

// Whether the file can be opened as an entry file of a version this program reads; shows
// the reason itself when it cannot.
bool CheckEntryFile(const QString& fileName);

// Loads the chosen language texts unless they are loaded already.
void EnsureLanguageLoaded();
