// The web point of one trapped fly, reserved by at most one spider.
#pragma once

#include <nlohmann/json_fwd.hpp>

class PointA {
public:
    virtual ~PointA() = default;
    void dump_fields(nlohmann::json& out) const;
};
