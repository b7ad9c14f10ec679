// Falling specials.
#include "world/special.h"

void FlySpecT::Update() { MethodDrawEntity(); }
