// The web point of one trapped fly: through it a spider reserves the fly as its target,
// so that at most one spider walks to any fly.
#pragma once

#include <nlohmann/json_fwd.hpp>

class PointA {
public:
    virtual ~PointA() = default;

    int value = 0;         // id of the fly it belongs to (its index in fly_list)
    int busy = 0;          // 1 while a spider has reserved the fly
    int enter_spider = 0;  // 0 ordinary fly, 1 first spider's entrance, 2 the second's

    // Makes a free point and appends it to web_point_list.
    static PointA* Create_New(int value, int enter_spider);

    void dump_fields(nlohmann::json& out) const;
};

// The first point in web_point_list belonging to the fly with this id, nullptr if none.
PointA* find_web_point(int fly_id);
// Removes the first point belonging to the fly with this id, if there is one.
void remove_web_point(int fly_id);
