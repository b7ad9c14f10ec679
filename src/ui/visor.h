// The tutorial visor: the sequencer that takes a page from sliding down, through the
// reveal and the wait for Continue, to the follow-up page or back up; and the page table.
// The visor's pieces are HUD elements animated by inGame_guiT::Update_Visor_script.
#pragma once

struct TImage;

// 0 idle, 1 sliding down, 2 revealing the text, 3 waiting for Continue, 4 Continue
// pressed, 5 sliding up, 6 finished, 10 turning to the follow-up page.
extern int visor_phase;
extern int visor_timer;          // frames since the phase began
extern int visor_continue_ready; // 1 once the reveal glow has faded: Continue is armed

// Once per frame from the main loop, while a page is set.
void UpdateVisorSequence();

// The text picture of a page: 1..15 their own, 17 the sixteenth; nullptr for any other
// page (the visor then keeps the picture it has).
TImage* visor_page_picture(int page);
// How fast the reveal glow runs down a page, pixels per frame (0 for unknown pages).
float visor_reveal_speed(int page);
// True on the levels that carry visor pages: 1, 4, 10 and 12.
bool visor_level(int level);
