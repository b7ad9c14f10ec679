// Weapon effects shared by the projectiles' hit tests and their scripts.
#pragma once

class FlyT;
class SpiderT;

// Freezes a trapped fly for 335..355 frames with its kind's frozen picture.
void freeze_fly(FlyT& f);
// Freezes a spider for the given frames and drops its claim on its target; a spider
// already frozen or dead is left as it is (false).
bool freeze_spider(SpiderT& s, float frames);
// The freeze shot's burst: every spider within 100 of (x, y).
void freeze_spiders_around(float x, float y, float frames);
// The alpha missile's blast over the whole web: breaks every hanging container, takes
// 100 from the hold of every trapped, frozen or shielded fly and pays the tactic bonus.
void alpha_blast();
