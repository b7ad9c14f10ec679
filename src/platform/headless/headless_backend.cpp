// Headless backend.
#include "platform/headless/headless_backend.h"

#include "platform/input.h"

std::unique_ptr<Backend> CreateHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

void UseHeadlessPlatform()
{
    SetBackend(CreateHeadlessBackend());
    UseVirtualClock(true);
}
