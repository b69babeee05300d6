#pragma once

#include <QString>

enum class TRunKind { Editor, BatchCheck, Removal };

// The run that the first command-line argument selects. It is a switch only when it begins
// with "/", its second character is "r" or "d" (further characters do not matter, "/run" is
// "/r"), it holds no further "/" and it names no existing file: absolute paths begin with "/"
// too, and "/data/x.vkd" or a file named "/d" must open the editor, never remove settings.
TRunKind RunKindOf(const QString& firstArgument);
