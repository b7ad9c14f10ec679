// Profile and configuration globals and their files: config.dat (two floats and an int)
// and one Profile_N.dat per slot (a name line and five longs).
#include "persist/profile.h"

#include <algorithm>
#include <cmath>

#include "persist/save_file.h"
#include "platform/atomic_file.h"
#include "platform/files.h"

std::string profile_name = "Player";
int current_level = 1;
int profile_score = 0;
int profile_stars = 0;
int game_completed = 0;
int difficulty = 1;
uint8_t current_profile = 0;

float music_volume = 0.9f;
float sound_volume = 0.65f;
uint8_t screen_mode = 1;
uint8_t configured_screen_mode = 1;

namespace
{

const char* const kProfilesFolder = ".\\profiles";
const char* const kConfigPath = ".\\profiles\\config.dat";

bool valid_slot(int slot)
{
    return slot >= 1 && slot <= kProfileSlots;
}

// One profile file's six fields, as stored.
struct ProfileRecord {
    std::string name;
    int32_t level = 1;
    int32_t score = 0;
    int32_t stars = 0;
    int32_t completed = 0;
    int32_t difficulty = 1;
};

// Longs hold a 32-bit value sign-extended; only the low 32 bits count on reading.
int32_t read_long32(TStream* s)
{
    return static_cast<int32_t>(ReadLong(s));
}

// The whole record; false when the file does not open or ends before its sixth field.
bool read_profile(int slot, ProfileRecord& out)
{
    if (!valid_slot(slot))
        return false;
    TStream* s = ReadStream(ProfilePath(slot));
    if (!s)
        return false;
    bool complete = true;
    try {
        out.name = ReadLine(s);
        out.level = read_long32(s);
        out.score = read_long32(s);
        out.stars = read_long32(s);
        out.completed = read_long32(s);
        out.difficulty = read_long32(s);
    } catch (const StreamError&) {
        complete = false;
    }
    CloseStream(s);
    return complete;
}

void write_profile(TStream* s, const ProfileRecord& r)
{
    write_name_line(s, r.name);
    WriteLong(s, r.level);
    WriteLong(s, r.score);
    WriteLong(s, r.stars);
    WriteLong(s, r.completed);
    WriteLong(s, r.difficulty);
}

void make_current(const ProfileRecord& r)
{
    profile_name = r.name;
    // Out-of-range values only come from damaged files; the rest of the game indexes by them.
    current_level = std::clamp(r.level, 1, kLastLevel);
    profile_score = r.score;
    profile_stars = r.stars;
    game_completed = r.completed;
    difficulty = std::clamp(r.difficulty, 1, 2);
}

float volume_or(float v, float fallback)
{
    return std::isnan(v) ? fallback : std::clamp(v, 0.0f, 1.0f);
}

} // namespace

std::string ProfilePath(int slot)
{
    return ".\\profiles\\Profile_" + std::to_string(slot) + ".dat";
}

int LoadConfig()
{
    CreateDir(kProfilesFolder);
    CleanTempFiles(kProfilesFolder);
    if (!FolderWritable(kProfilesFolder))
        warn_saving_failed();

    if (TStream* s = ReadStream(kConfigPath)) {
        bool complete = true;
        float music = 0, sound = 0;
        int32_t mode = 0;
        try {
            music = ReadFloat(s);
            sound = ReadFloat(s);
            mode = ReadInt(s);
        } catch (const StreamError&) {
            complete = false; // a truncated file counts as missing: it holds nothing precious
        }
        CloseStream(s);
        if (complete) {
            music_volume = volume_or(music, 0.9f);
            sound_volume = volume_or(sound, 0.65f);
            screen_mode = static_cast<uint8_t>(mode & 0xff);
            configured_screen_mode = screen_mode;
            return 0;
        }
    }
    music_volume = 0.9f;
    sound_volume = 0.65f;
    screen_mode = 1;
    configured_screen_mode = 1;
    SaveConfig();
    return 0;
}

int SaveConfig()
{
    write_save_file(kConfigPath, [](TStream* s) {
        WriteFloat(s, music_volume);
        WriteFloat(s, sound_volume);
        WriteInt(s, screen_mode);
    });
    return 0;
}

int ProfileExists(int slot)
{
    if (!valid_slot(slot))
        return 0;
    TStream* s = ReadStream(ProfilePath(slot));
    if (!s)
        return 0;
    CloseStream(s);
    return 1;
}

int CountProfiles()
{
    int n = 0;
    for (int slot = 1; slot <= kProfileSlots; ++slot)
        n += ProfileExists(slot);
    return n;
}

std::string ProfileNameOf(int slot)
{
    if (!valid_slot(slot))
        return {};
    TStream* s = ReadStream(ProfilePath(slot));
    if (!s)
        return {};
    std::string name = ReadLine(s);
    CloseStream(s);
    return name;
}

int LoadProfile(int slot)
{
    ProfileRecord r;
    if (!read_profile(slot, r))
        return 0; // missing or ending early: the slot cannot be loaded, and its file is left alone
    make_current(r);
    current_profile = static_cast<uint8_t>(slot);
    // Writing the file again renews its modification time, which marks the latest profile.
    write_save_file(ProfilePath(slot), [&r](TStream* s) { write_profile(s, r); });
    return 1;
}

int SaveProfile(int slot)
{
    if (!valid_slot(slot))
        return 0; // 0 is "no profile": there is no file for it
    // Profiles keep to the lowest slots: a save into a later slot fills the first gap.
    if (slot == 3 && ProfileNameOf(2).empty()) {
        slot = 2;
    } else if (slot == 4) {
        if (ProfileNameOf(2).empty())
            slot = 2;
        else if (ProfileNameOf(3).empty())
            slot = 3;
    }
    ProfileRecord r{profile_name, current_level, profile_score, profile_stars, game_completed, difficulty};
    write_save_file(ProfilePath(slot), [&r](TStream* s) { write_profile(s, r); });
    current_profile = static_cast<uint8_t>(slot);
    return 0;
}

int DeleteProfile(int slot)
{
    if (!valid_slot(slot))
        return 0;
    // The shifting below changes which slot each profile is in, so note where the current
    // one was first.
    int was_current = current_profile;
    if (!DeleteFile(ProfilePath(slot))) {
        warn_saving_failed();
        return 0;
    }
    // Later profiles move down one slot each. A rename moves a file in one step, so an
    // interruption never leaves a profile in two slots or in none.
    int target = slot;
    for (int k = slot + 1; k <= kProfileSlots; ++k) {
        if (ProfileNameOf(k).empty())
            continue;
        if (!MoveFile(ProfilePath(k), ProfilePath(target))) {
            warn_saving_failed();
            break;
        }
        ++target;
    }
    if (was_current == slot)
        current_profile = 1;
    else if (was_current > slot)
        current_profile = static_cast<uint8_t>(was_current - 1);
    else
        current_profile = static_cast<uint8_t>(was_current);
    LoadProfile(current_profile);
    return 0;
}

int LoadLatestProfile()
{
    // Every slot is looked at, not only the first CountProfiles(): a profile left above
    // a gap (by an older version or a hand-copied file) is still found.
    int best = 0;
    int64_t best_time = 0;
    ProfileRecord best_record;
    for (int slot = 1; slot <= kProfileSlots; ++slot) {
        ProfileRecord r;
        if (!read_profile(slot, r))
            continue; // a file that ends early cannot be played from
        int64_t t = FileTime(ProfilePath(slot));
        if (t > best_time) { // ties keep the lower slot
            best = slot;
            best_time = t;
            best_record = r;
        }
    }
    current_profile = static_cast<uint8_t>(best);
    if (best)
        make_current(best_record);
    return 0;
}
