// Review aid: whole-scene composites of the forged layers (see preview.cpp).
#pragma once

#include <string>

namespace forge {
void WriteScenePreviews(const std::string& game_dir, const std::string& out_dir);
}
