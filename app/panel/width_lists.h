#pragma once

// The radio's width code of the first item of the width list that a width choice or a
// stored width index of this mode (cbMode index) stands against: the narrow lists start at
// code 1, the SSB wide list at 9 and the other wide lists at 10.
int WidthOffsetFor(int modeIndex, int narrowOn);
// The width in Hz of the radio's width code in this mode; 0 where the mode has no width list.
// A mode's narrow and wide lists meet on one code of one width, so NAR does not matter.
int WidthHertzFor(int modeIndex, int widthCode);
