// Timed level events.
#include "entities/events.h"

#include <nlohmann/json.hpp>

void EventsT::update() {}

void EventsT::dump_fields(nlohmann::json& out) const { out["type"] = "EventsT"; }

void load_level_events(const std::string& /*level*/) {}
