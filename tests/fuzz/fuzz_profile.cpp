// A profile file with arbitrary contents in slot 1 beside a sound one in slot 2: the slot
// queries, loading and the latest-profile choice never crash, a loaded profile is in
// range, and no read path changes what the damaged file holds.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "persist/profile.h"
#include "persist/profile_save.h"

namespace
{
std::vector<uint8_t> read_back(const std::string& game_path)
{
    std::vector<uint8_t> bytes;
    LoadBytes(game_path, bytes);
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_folder();
    static const uint8_t sound[] = {'B', 'o', '\r', '\n', 4, 0, 0, 0, 0, 0, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0,
                                    6,   0,   0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 2,   0, 0, 0, 0, 0, 0, 0};
    put_file("Profile_1.dat", data, size);
    put_file("Profile_2.dat", sound, sizeof sound);
    std::vector<uint8_t> original(data, data + size);

    FUZZ_CHECK(CountProfiles() == 2);
    ProfileNameOf(1);
    current_profile = 0;
    LoadLatestProfile();
    FUZZ_CHECK(current_profile <= 2);
    if (LoadProfile(1)) {
        FUZZ_CHECK(current_profile == 1);
        FUZZ_CHECK(current_level >= 1 && current_level <= 30);
        FUZZ_CHECK(difficulty == 1 || difficulty == 2);
    } else {
        FUZZ_CHECK(read_back(ProfilePath(1)) == original);
    }
    CreateDefaultHighScores();
    LoadHighScores();
    FUZZ_CHECK(high_score_list.count() == 7);
    high_score_list.clear();
    return 0;
}
