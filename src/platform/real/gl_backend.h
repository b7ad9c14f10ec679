// Real backend: an SDL2 window with an OpenGL 2.1 context. The 1024 x 768 picture is
// scaled into the window with letterboxing; pointer positions stay in screen pixels.
#pragma once

#include <memory>

#include "platform/backend.h"

// With `texel_quads` off every quad is drawn the general way (filtered, blended, whole),
// for comparing the pixels of the two.
std::unique_ptr<Backend> CreateGLBackend(bool texel_quads = true);
