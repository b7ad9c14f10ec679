#include "persist/profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "persist/profile_save.h"
#include "persist/save_file.h"
#include "support/profile_files.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST_F(ProfileFiles, FirstRunCreatesFolderAndDefaultConfig)
{
    music_volume = 0.1f;
    LoadConfig();
    EXPECT_EQ(FileType(".\\profiles"), 2);
    EXPECT_EQ(read_file("config.dat"), f32(0.9f) + f32(0.65f) + i32(1));
    EXPECT_FLOAT_EQ(music_volume, 0.9f);
    LoadLatestProfile();
    EXPECT_EQ(current_profile, 0);
    EXPECT_EQ(profile_name, "Player");
    EXPECT_EQ(CountProfiles(), 0);

    // A stored configuration is read back; only the low byte of the screen mode counts.
    write_file("config.dat", f32(0.25f) + f32(1.0f) + i32(0x0102));
    LoadConfig();
    EXPECT_FLOAT_EQ(music_volume, 0.25f);
    EXPECT_FLOAT_EQ(sound_volume, 1.0f);
    EXPECT_EQ(screen_mode, 2);

    // A truncated file counts as missing and is written anew; volumes stay within 0..1.
    write_file("config.dat", f32(0.25f) + "\x01\x02");
    LoadConfig();
    EXPECT_FLOAT_EQ(music_volume, 0.9f);
    EXPECT_EQ(read_file("config.dat").size(), 12u);
    write_file("config.dat", f32(NAN) + f32(7.0f) + i32(1));
    LoadConfig();
    EXPECT_FLOAT_EQ(music_volume, 0.9f);
    EXPECT_FLOAT_EQ(sound_volume, 1.0f);

    // Stale temporary files of an interrupted save are cleared at start-up.
    write_file(".config.dat.tmp-999999999-1-1", "partial");
    LoadConfig();
    EXPECT_FALSE(fs::exists(profiles() / ".config.dat.tmp-999999999-1-1"));
}

TEST_F(ProfileFiles, ProfileLayoutAndLoading)
{
    set_current("Ann", 7, -20, 12, 0, 2);
    SaveProfile(1);
    EXPECT_EQ(read_file("Profile_1.dat"), profile_bytes("Ann", 7, -20, 12, 0, 2));
    EXPECT_EQ(current_profile, 1);
    EXPECT_EQ(ProfileNameOf(1), "Ann");
    EXPECT_EQ(ProfileExists(1), 1);
    EXPECT_EQ(ProfileExists(2), 0);

    // Only the low 32 bits of each long count; a level outside 1..30 is brought into range.
    write_file("Profile_2.dat", "Bo\r\n" + i64(0x100000000LL + 99) + i64(5) + i64(3) + i64(1) + i64(1));
    EXPECT_EQ(LoadProfile(2), 1);
    EXPECT_EQ(profile_name, "Bo");
    EXPECT_EQ(current_level, 30);
    EXPECT_EQ(profile_score, 5);
    EXPECT_EQ(current_profile, 2);
    write_file("Profile_2.dat", profile_bytes("Bo", 0, 5, 3, 1, 1));
    LoadProfile(2);
    EXPECT_EQ(current_level, 1);

    // Loading renews the file's time without changing what it holds.
    auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(5);
    fs::last_write_time(profiles() / "Profile_2.dat", old_time);
    LoadProfile(2);
    EXPECT_GT(fs::last_write_time(profiles() / "Profile_2.dat"), old_time);
    EXPECT_EQ(read_file("Profile_2.dat"), profile_bytes("Bo", 0, 5, 3, 1, 1));

    // A file that ends early is no profile to load, and reading it never rewrites it.
    std::string torn = profile_bytes("Cy", 3, 4, 5, 0, 1).substr(0, 20);
    write_file("Profile_3.dat", torn);
    EXPECT_EQ(LoadProfile(3), 0);
    EXPECT_EQ(profile_name, "Bo");
    EXPECT_EQ(current_profile, 2);
    EXPECT_EQ(read_file("Profile_3.dat"), torn);
    EXPECT_EQ(ProfileNameOf(3), "Cy");
    LoadLatestProfile();
    EXPECT_EQ(read_file("Profile_3.dat"), torn);
    EXPECT_NE(current_profile, 3);

    // A name cannot carry line ends into the file, where they would shift the fields.
    set_current(std::string("Di\nx\0y\r", 7), 4, 40, 4, 0, 1);
    SaveProfile(4);
    EXPECT_EQ(read_file("Profile_4.dat"), profile_bytes("Dixy", 4, 40, 4, 0, 1));

    // Slots outside 1..4 have no file: nothing is written for "no profile".
    SaveProfile(0);
    SaveProfile(5);
    EXPECT_FALSE(fs::exists(profiles() / "Profile_0.dat"));
    EXPECT_FALSE(fs::exists(profiles() / "Profile_5.dat"));
    EXPECT_EQ(LoadProfile(0), 0);
}

TEST_F(ProfileFiles, SavesArePulledDownIntoGaps)
{
    write_file("Profile_1.dat", profile_bytes("Ann", 1, 0, 0, 0, 1));
    set_current("Bo", 1, 0, 0, 0, 1);
    SaveProfile(4);
    EXPECT_EQ(current_profile, 2);
    EXPECT_EQ(ProfileNameOf(2), "Bo");
    EXPECT_FALSE(fs::exists(profiles() / "Profile_4.dat"));
    set_current("Cy", 1, 0, 0, 0, 1);
    SaveProfile(4);
    EXPECT_EQ(current_profile, 3);
    fs::remove(profiles() / "Profile_2.dat");
    set_current("Di", 1, 0, 0, 0, 1);
    SaveProfile(3);
    EXPECT_EQ(current_profile, 2);
    EXPECT_EQ(CountProfiles(), 3);
}

TEST_F(ProfileFiles, DeletingShiftsLaterSlotsAndTheCurrentProfileFollows)
{
    write_file("Profile_1.dat", profile_bytes("Ann", 2, 100, 3, 0, 1));
    write_file("Profile_2.dat", profile_bytes("Bo", 4, 200, 6, 0, 2));
    write_file("Profile_3.dat", profile_bytes("Cy", 6, 300, 9, 0, 1));
    LoadProfile(3);
    DeleteProfile(1);
    EXPECT_EQ(ProfileNameOf(1), "Bo");
    EXPECT_EQ(ProfileNameOf(2), "Cy");
    EXPECT_EQ(ProfileExists(3), 0);
    EXPECT_EQ(current_profile, 2);
    EXPECT_EQ(profile_name, "Cy");
    EXPECT_EQ(profile_score, 300);
    EXPECT_EQ(read_file("Profile_1.dat"), profile_bytes("Bo", 4, 200, 6, 0, 2));

    // Deleting a later slot leaves a lower current profile where it is.
    write_file("Profile_3.dat", profile_bytes("Di", 1, 0, 0, 0, 1));
    write_file("Profile_4.dat", profile_bytes("Ed", 1, 0, 0, 0, 1));
    LoadProfile(1);
    DeleteProfile(4);
    EXPECT_EQ(current_profile, 1);
    EXPECT_EQ(profile_name, "Bo");
    EXPECT_EQ(CountProfiles(), 3);

    // Deleting the current profile makes slot 1 current.
    LoadProfile(2);
    DeleteProfile(2);
    EXPECT_EQ(current_profile, 1);
    EXPECT_EQ(profile_name, "Bo");
    EXPECT_EQ(ProfileNameOf(2), "Di");
    EXPECT_EQ(CountProfiles(), 2);
}

TEST_F(ProfileFiles, LatestProfileByModificationTimeTiesKeepTheLowerSlot)
{
    write_file("Profile_1.dat", profile_bytes("Ann", 2, 0, 0, 0, 1));
    write_file("Profile_2.dat", profile_bytes("Bo", 5, 0, 0, 0, 1));
    write_file("Profile_3.dat", profile_bytes("Cy", 9, 0, 0, 0, 1));
    auto t = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(profiles() / "Profile_1.dat", t - std::chrono::minutes(1));
    fs::last_write_time(profiles() / "Profile_2.dat", t);
    fs::last_write_time(profiles() / "Profile_3.dat", t);
    LoadLatestProfile();
    EXPECT_EQ(current_profile, 2);
    EXPECT_EQ(profile_name, "Bo");
    EXPECT_EQ(current_level, 5);
    auto before = read_file("Profile_2.dat");
    EXPECT_EQ(fs::last_write_time(profiles() / "Profile_2.dat"), t); // not rewritten

    fs::last_write_time(profiles() / "Profile_3.dat", t + std::chrono::seconds(1));
    LoadLatestProfile();
    EXPECT_EQ(current_profile, 3);
}

TEST_F(ProfileFiles, HighScoreTable)
{
    write_file("Profile_1.dat", profile_bytes("Ann", 2, 1500, 3, 0, 1));
    write_file("Profile_2.dat", profile_bytes("Bo", 4, 2500, 6, 0, 2));
    CreateDefaultHighScores();
    std::string expected = row("Orrin", 30000, 1) + row("Tavi", 23000, 2) + row("Belka", 18000, 3) +
                           row("Ann", 1500, 4) + row("Bo", 2500, 5) + row("no", 0, 6) + row("no", 0, 7);
    EXPECT_EQ(read_file("High_score.dat"), expected);

    // Only the current profile's row is refreshed; the list is empty again afterwards.
    LoadProfile(2);
    profile_score = 9000;
    profile_name = "Bob";
    ProfileSaveT::Save_High_score();
    EXPECT_EQ(read_file("High_score.dat"), row("Orrin", 30000, 1) + row("Tavi", 23000, 2) +
                                               row("Belka", 18000, 3) + row("Ann", 1500, 4) +
                                               row("Bob", 9000, 5) + row("no", 0, 6) + row("no", 0, 7));
    EXPECT_EQ(high_score_list.count(), 0);

    // With no profile current, the fixed rows are left as they are.
    current_profile = 0;
    ProfileSaveT::Save_High_score();
    EXPECT_EQ(read_file("High_score.dat").substr(0, 48), expected.substr(0, 48));

    // A table that ends early or whose rows are out of order is rebuilt.
    write_file("High_score.dat", expected.substr(0, 50));
    LoadHighScores();
    ASSERT_EQ(high_score_list.count(), 7);
    EXPECT_EQ(high_score_list.snapshot()[4]->name, "Bo");
    EXPECT_EQ(high_score_list.snapshot()[6]->id, 7);
    EXPECT_EQ(read_file("High_score.dat"), expected);
    write_file("High_score.dat", row("Orrin", 30000, 7) + expected.substr(row("Orrin", 30000, 1).size()));
    LoadHighScores();
    EXPECT_EQ(high_score_list.snapshot()[0]->id, 1);
    high_score_list.clear();

    fs::remove(profiles() / "High_score.dat");
    current_profile = 1;
    ProfileSaveT::Save_High_score();
    EXPECT_EQ(read_file("High_score.dat").substr(0, 60), expected.substr(0, 60));
}

TEST_F(ProfileFiles, UnwritableFolderKeepsTheGameRunningAndSaysSoOnce)
{
    TempDir blocked;
    blocked.write("blocker", "a file where the profiles folder should go");
    SetProfilesFolder(blocked.path() + "/blocker/profiles");
    testing::internal::CaptureStderr();
    LoadConfig();
    set_current("Ann", 3, 0, 0, 0, 1);
    SaveProfile(1);
    SaveConfig();
    ProfileSaveT::Save_High_score();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FLOAT_EQ(music_volume, 0.9f);
    EXPECT_EQ(current_profile, 1);
    EXPECT_NE(err.find("progress will not be saved"), std::string::npos);
    EXPECT_EQ(err.find("progress will not be saved"), err.rfind("progress will not be saved"));
    high_score_list.clear();
}
