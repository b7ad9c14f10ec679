// Real backend: an SDL2 window with an OpenGL 2.1 context. The 1024 x 768 picture is
// scaled into the window with letterboxing; pointer positions stay in screen pixels.
#pragma once

#include <memory>

#include "platform/backend.h"

// Shorter ways to the same pixels (see platform/texel_quads.h), each of which tests turn
// off to compare: quads laying texels one to one are drawn unfiltered, unblended when
// opaque and without their empty tiles; bigger scaled or turned pictures only where
// their visible tiles land.
struct GLShortcuts {
    bool texel_quads = true;
    bool visible_regions = true;
};

std::unique_ptr<Backend> CreateGLBackend(GLShortcuts shortcuts = {});
