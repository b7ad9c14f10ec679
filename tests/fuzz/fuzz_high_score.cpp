// High_score.dat with arbitrary contents: the table read for the high-score screen always
// has seven rows with ids 1..7 in order, and refreshing the current row keeps it so.
#include <cstdint>

#include "fuzz_support.h"
#include "persist/profile.h"
#include "persist/profile_save.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_folder();
    put_file("High_score.dat", data, size);
    LoadHighScores();
    FUZZ_CHECK(high_score_list.count() == 7);
    int id = 1;
    for (ProfileSaveT* row : high_score_list.snapshot())
        FUZZ_CHECK(row->id == id++);
    high_score_list.clear();

    current_profile = static_cast<uint8_t>(size % 5);
    profile_name = "Fuzz";
    profile_score = 1234;
    ProfileSaveT::Save_High_score();
    FUZZ_CHECK(high_score_list.count() == 0);
    LoadHighScores();
    FUZZ_CHECK(high_score_list.count() == 7);
    high_score_list.clear();
    return 0;
}
