// Web points.
#include "world/web_point.h"

#include <nlohmann/json.hpp>

void PointA::dump_fields(nlohmann::json& out) const { out["type"] = "PointA"; }
