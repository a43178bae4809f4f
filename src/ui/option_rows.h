// The rows of the second options screen, as the table of options orders them:
// each option's name and value in the language in use, and its steps.
#pragma once

#include <string>

#include "world/option_table.h"
#include "world/options.h"
#include "world/settings.h"

inline constexpr int kOptionRowCount = kOptionCount;

// The Options screen: 1 Rendering, 2 Language, 3 Cancel, then the row that
// opens the second screen.
inline constexpr int kOptionsCancelChoice = 3;
inline constexpr int kOptionsMoreChoice = 4;
// The second screen ("More options"): choice 1 + row for each option row,
// then Back.
inline constexpr int kMoreOptionsBackChoice = kOptionRowCount + 1;

// The screen row (y) of the second screen's choice 1..kMoreOptionsBackChoice.
// The rows leave the notice's line free.
int moreOptionsRowY(int choice);

const char* optionRowLabel(const Settings& settings,
                           int row);  // row 0..kOptionRowCount-1, with its colon
std::string optionRowValue(const Settings& settings, const Options& values, int row);
// The next value (direction +1) or the one before (-1), going round at the ends.
// A value the steps do not hold (written into the file by hand) goes to the
// first. The interface size offers Auto and the scales up to `largestScale`
// (quarters), those that fit the window.
void stepOptionRow(Options& values, int row, int direction, int largestScale);
