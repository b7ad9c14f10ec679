// Emitters and particles.
#include "fx/emitter.h"

void emitterT::Update() { MethodDrawEntity(); }
