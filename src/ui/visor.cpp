// Tutorial visor sequencer.
#include "ui/visor.h"

int visor_phase = 0;
int visor_timer = 0;

void UpdateVisorSequence() {}
