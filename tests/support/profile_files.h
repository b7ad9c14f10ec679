// Fixture for the profile-folder tests: a fresh folder, start-up values in every profile
// and configuration global, and helpers that spell the files' byte layouts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "persist/profile.h"
#include "persist/profile_save.h"
#include "persist/save_file.h"
#include "support/temp_dir.h"

inline std::string i32(int32_t v)
{
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}
inline std::string i64(int64_t v)
{
    std::string s(8, '\0');
    std::memcpy(s.data(), &v, 8);
    return s;
}
inline std::string f32(float v)
{
    std::string s(4, '\0');
    std::memcpy(s.data(), &v, 4);
    return s;
}
inline std::string profile_bytes(const std::string& name, int level, int score, int stars, int completed,
                                 int diff)
{
    return name + "\r\n" + i64(level) + i64(score) + i64(stars) + i64(completed) + i64(diff);
}
inline std::string row(const std::string& name, int score, int id)
{
    return name + "\r\n" + i64(score) + i64(id);
}

inline void set_current(const std::string& name, int level, int score, int stars, int completed, int diff)
{
    profile_name = name;
    current_level = level;
    profile_score = score;
    profile_stars = stars;
    game_completed = completed;
    difficulty = diff;
}

inline void reset_profile_globals()
{
    set_current("Player", 1, 0, 0, 0, 1);
    current_profile = 0;
    music_volume = 0.9f;
    sound_volume = 0.65f;
    screen_mode = 1;
    high_score_list.clear();
    reset_saving_warning();
}

class ProfileFiles : public testing::Test
{
protected:
    ProfileFiles() { reset_profile_globals(); }
    ~ProfileFiles() override { reset_profile_globals(); }

    std::filesystem::path profiles() const { return ProfilesFolder(); }
    std::string read_file(const std::string& name) const
    {
        std::ifstream in(profiles() / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    void write_file(const std::string& name, const std::string& bytes) const
    {
        dir_.write("profiles/" + name, bytes);
    }

    TempDir dir_;
};
