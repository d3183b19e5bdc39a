#pragma once

// The radio's width code of the first item of the width list that a width choice or a
// stored width index of this mode (cbMode index) stands against: the narrow lists start at
// code 1, the SSB wide list at 9 and the other wide lists at 10.
int WidthOffsetFor(int modeIndex, int narrowOn);
