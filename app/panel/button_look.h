#pragma once
// The panel's look lives in one header.
#include "app/panel/look.h"
