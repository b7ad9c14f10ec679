// The tutorial visor's page sequencer.
#pragma once

extern int visor_phase;
extern int visor_timer;  // frames

// Once per frame from the main loop.
void UpdateVisorSequence();
