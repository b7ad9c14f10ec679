// The aiming reticle: it follows the pointer inside the web's play circle and turns into
// the plain cursor outside it, while paused or while a visor page is up. Heavy shots
// shake the pointer itself.
#pragma once

#include "entities/actor.h"

extern int aim_mode;  // 1 aiming (pointer in the play circle), 2 plain pointer

class pPricelT : public Actor {
public:
    int shake_timer = 0;   // frames of shaking left
    int shake_intens = 0;  // pixels either way
    int oldX = 0;          // pointer when the shake began
    int oldY = 0;

    // The reticle at the pointer, appended to reticle_list.
    static void Create_New();
    void Update();
    void Update_Shaking();

    const char* type_name() const override { return "pPricelT"; }
    void dump_fields(nlohmann::json& out) const override;
};

// Shakes the pointer for `frames` frames by up to `intensity` pixels (first reticle only).
void shake_reticle(int frames, int intensity);
