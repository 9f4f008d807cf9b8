// Where the digital clock's seven cells go, and how its width follows the seconds switch.
#pragma once
#include <array>

#include "components/ledclock/ClockReading.h"
#include "toolkit/Types.h"

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4); held in the int range.
int RoundHalfEven(double v);

// Bounds of cells 1..7 (index 0 is cell 1) inside a clock of the given client size.
// The row holds, with seconds, 8 spaces and 5.5 digit widths (four digits, the colon and two
// seconds cells at half width); without, 6 spaces and 4.5 digit widths. The seconds cells are
// half height at the top of the row and are placed even when hidden. Sizes too small for the
// margins give empty or inverted rectangles, as computed.
std::array<TRect, ClockCellCount> ArrangeCells(int width, int height, int spaceWidth, bool showSeconds);

// The clock's client width after switching the seconds to showSeconds: one digit cell's width
// (cell 1's, before the switch) plus two spaces more or less.
int WidthAfterShowSeconds(int clientWidth, int cell1Width, int spaceWidth, bool showSeconds);
