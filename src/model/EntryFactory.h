#pragma once

#include "model/VemoraEntryBasic.h"

#include <memory>

// A new entry of the kind, as after Clear and in no list; none for a value that is no kind.
std::unique_ptr<TVemoraEntryBasic> CreateEntry(int kind);
