// Trapped flies.
#include "world/fly.h"

void FlyT::Update() { MethodDrawEntity(); }

void FlyT::Draw_life_bar() {}
