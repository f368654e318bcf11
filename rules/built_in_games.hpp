#pragma once

// The definitions of the built-in games, for the catalogue and for code that names one game's
// rule set directly. Each header holds one game whole.
#include "rules/counter_strike.hpp"
#include "rules/counter_strike_2_server_log.hpp"
#include "rules/half_life_server_log.hpp"
#include "rules/quake1_ctf.hpp"
#include "rules/quake1_standard.hpp"
#include "rules/quake1_warhaven.hpp"
#include "rules/quake2_action.hpp"
#include "rules/quake2_standard.hpp"
#include "rules/quake2_stdlog.hpp"
#include "rules/quake3_server_log.hpp"
