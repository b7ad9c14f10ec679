// The tutorial script: which visor page opens when on the first level (and the hints of
// levels 4, 10 and 12), and the holds that keep the level clock back until the player has
// done what a page asks.
#pragma once

// Once per frame from the main loop, after the level clock and the visor sequencer.
void update_tutorial();
