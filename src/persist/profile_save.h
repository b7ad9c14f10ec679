// The high-score table: seven rows in ".\profiles\High_score.dat", three fixed entries and
// one per profile slot, in id order.
#pragma once

#include <string>

#include "state/tlist.h"

// One row of the high-score table.
struct ProfileSaveT {
    std::string name; // player's name, or "no" for a slot that held no profile
    int score = 0;
    int id = 0;          // 1..3 fixed entries, 4..7 profile slots 1..4 (slot + 3)
    int been_picked = 0; // set by the high-score screen while it ranks the rows

    // Refreshes the current profile's row of the high-score file.
    static int Save_High_score();
};

constexpr int kHighScoreRows = 7;

// Rows read from the high-score file; emptied again by each operation that fills it.
extern TList<ProfileSaveT> high_score_list;

// Saves the profile being played into its slot and refreshes its high-score row, so the
// table never lags behind the player's file (level results, quitting, the final results).
int SavePlayedProfile();

// Writes a new high-score file: the fixed rows, then each slot's name and score.
int CreateDefaultHighScores();
// Empties high_score_list and fills it with the seven rows of the file, in id order. A
// missing, truncated or out-of-order table is rebuilt first; when even that cannot be
// written, the rows it would hold are listed.
int LoadHighScores();
