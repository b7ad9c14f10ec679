// The aiming reticle.
#include "player/reticle.h"

void pPricelT::Create_New() {}

void pPricelT::Update() { MethodDrawEntity(); }
