#pragma once

#include "model/VemoraEntryBasic.h"

#include <memory>

// A new entry of the kind, as after Clear and in no list; none for a value that is no kind.
std::unique_ptr<TVemoraEntryBasic> CreateEntry(int kind);
// A copy in every field, its number and its cache included, as saving and loading would make
// it; it belongs to the same list, which does not hold it.
std::unique_ptr<TVemoraEntryBasic> CloneEntry(const TVemoraEntryBasic& entry);
