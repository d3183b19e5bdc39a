// Umbrella header of the Yaesu FT-891 CAT command set.
// Namespace Yaesu::Commands::FT891; standard library and {fmt} only.
#pragma once

#include "cat/builders.h"
#include "cat/field.h"
#include "cat/menu.h"
#include "cat/modes.h"
#include "cat/parsers.h"
#include "cat/radio_facts.h"
#include "cat/types.h"
