// Headless backend: no window, no GL; draws are counted (and recorded by the front end
// when tracing is on), Flip never sleeps.
#pragma once

#include <memory>

#include "platform/backend.h"

std::unique_ptr<Backend> CreateHeadlessBackend();
// Installs the headless backend and a virtual clock (tests and benchmarks call this).
void UseHeadlessPlatform();
