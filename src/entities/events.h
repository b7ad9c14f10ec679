// One timed entry of a level's timetable; fired when the level clock reaches it.
#pragma once

#include <string>

#include <nlohmann/json_fwd.hpp>

class EventsT {
public:
    virtual ~EventsT() = default;
    // Per frame, while no visor page is shown.
    void update();
    void dump_fields(nlohmann::json& out) const;
};

// Reads the timetable of a level (its number as text) into event_list.
void load_level_events(const std::string& level);
