#pragma once
// The held-mouse guard is part of the panel's look.
#include "app/panel/look.h"
