#pragma once

// How long the window waits for the radio: an FT-891 answers a read within a few tens of
// milliseconds even at 4800 baud, so a read unanswered for a second is lost (a noisy line, a
// radio busy with its own menu, or no radio on this port at all).
constexpr int readTimeoutMs = 1000;
// Three reads in a row without an answer: no radio is listening on this port at this speed.
constexpr int unansweredReadsForSilence = 3;
// The power query is answered at once by a radio on the line.
constexpr int powerQueryTimeoutMs = 2000;
