// Snapshots of the game state for the headless runner: every global and every entity
// of every list, under their own names.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

nlohmann::json dump_globals();
nlohmann::json dump_lists();
// {"f": frame, "globals": {...}, "lists": {...}}
nlohmann::json dump_state(int64_t frame);

// One line of JSON. The game's text is 8-bit (a player may be called "Zoë" in Latin-1),
// which is not UTF-8: such bytes come out as U+FFFD rather than stopping the run.
std::string dump_text(const nlohmann::json& j);
