#pragma once

#include <QStringList>

// Gives each caption an accelerator letter ("&" before it), unique across the list ignoring
// letter case. Existing single "&" are removed and "&&" (a literal ampersand) is kept. The
// letter is the first character, else the first character of a later word, else any later
// character; only ASCII letters and digits qualify. A caption without one stays unmarked.
QStringList AssignHotKeys(const QStringList& captions);
