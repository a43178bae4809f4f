// The rows the Options menu shows below Rendering and Language: for each
// option its name and value in the language in use, and its steps (the
// values the menu goes through, in order). The menu's table of rows.
#pragma once

#include <string>

#include "world/options.h"

inline constexpr int kOptionRowCount = 9;
// Menu choices: 1 Rendering, 2 Language, then the option rows, then Cancel.
inline constexpr int kFirstOptionChoice = 3;
inline constexpr int kOptionsCancelChoice = kFirstOptionChoice + kOptionRowCount;

// The screen row (y) of menu choice 1..kOptionsCancelChoice. The rows leave
// the notice's line free.
int optionsMenuRowY(int choice);

const char* optionRowLabel(int row);  // row 0..kOptionRowCount-1, with its colon
std::string optionRowValue(const Options& values, int row);
// The next value (direction +1) or the one before (-1), going round at the ends.
// A value the steps do not hold (written into the file by hand) goes to the first.
void stepOptionRow(Options& values, int row, int direction);
