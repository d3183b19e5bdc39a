#pragma once

// The icons are compiled into the core library; a static library's resources must be
// registered by hand before the first ":/Corvane/..." lookup.
void InitCorvaneResources();
