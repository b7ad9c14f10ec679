// Tutorial visor sequencer.
#include "ui/visor.h"

#include "ui/ingame_gui.h"

int visor_phase = 0;
int visor_timer = 0;

void UpdateVisorSequence() {}

// The visor elements' own animation, driven by the sequencer's phase.
void inGame_guiT::Update_Visor_script() {}
