// Toxic containers.
#include "world/container.h"

void ContainerT::Update() { MethodDrawEntity(); }
