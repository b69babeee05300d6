#pragma once

#include <QString>

enum class TRunKind { Editor, BatchCheck, Removal };

// The run that the first command-line argument selects. It is a switch only when it begins
// with "/", its second character is "r" or "d" (further characters do not matter, "/rx" is
// "/r"), it holds no further "/" and it names nothing that exists: absolute paths begin with
// "/" too, and "/data/x.vkd", a folder "/dev" or a file named "/d" must open the editor, never
// remove settings. So "/run", a folder on every system, is no switch either.
TRunKind RunKindOf(const QString& firstArgument);
