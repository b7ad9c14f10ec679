// Snapshots of the game state for the headless runner: every global and every entity
// of every list, under their own names.
#pragma once

#include <cstdint>

#include <nlohmann/json.hpp>

nlohmann::json dump_globals();
nlohmann::json dump_lists();
// {"f": frame, "globals": {...}, "lists": {...}}
nlohmann::json dump_state(int64_t frame);
