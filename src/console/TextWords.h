#pragma once
// Word boundaries inside one line of a TLineTextStore, for
// double-click selection and moving or deleting by words.
//
// A word is a run of characters of one kind: letters and digits (Chinese
// characters included) with '_', blanks, or punctuation. Runs are searched
// at most a few kilobytes from the starting place, so a line of received
// data without a single blank still answers at once.

#include <cstdint>
#include <utility>

#include "console/LineTextStore.h"

// The run that holds the character after `pos` (before it at the line's end).
// On a hex line every byte's pair is a word of its own.
std::pair<size_t, size_t> WordAround(const TLineTextStore& store, uint64_t line, size_t pos);
// Where the next word after `pos` starts, or the line's end.
size_t NextWordStart(const TLineTextStore& store, uint64_t line, size_t pos);
// Where the word before `pos` starts, blanks before `pos` skipped.
size_t PreviousWordStart(const TLineTextStore& store, uint64_t line, size_t pos);
