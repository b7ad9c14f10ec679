// Saves interrupted at every point, by a disk that fills up mid-write and by killing the
// writing process, must leave each file whole: its old content or its new one.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <random>

#include "platform/files.h"
#include "support/profile_files.h"

namespace fs = std::filesystem;

namespace
{

int temp_files_in(const fs::path& folder)
{
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".tmp-") != std::string::npos)
            ++n;
    }
    return n;
}

struct WriteLimit {
    explicit WriteLimit(int64_t bytes) { SetWriteLimitForTesting(bytes); }
    ~WriteLimit() { SetWriteLimitForTesting(-1); }
};

} // namespace

class CrashSafety : public ProfileFiles
{
protected:
    void seed_files()
    {
        write_file("Profile_1.dat", old_ann_);
        write_file("Profile_2.dat", profile_bytes("Bo", 4, 200, 6, 0, 2));
        write_file("Profile_3.dat", profile_bytes("Cy", 6, 300, 9, 0, 1));
        write_file("config.dat", f32(0.5f) + f32(0.5f) + i32(2));
        write_file("High_score.dat", old_table_);
        reset_profile_globals();
    }

    // Runs op under a disk that fills after each possible byte count, and checks after
    // each that every file holds either its old or its new bytes.
    // bytes: a little more than op writes in all, so the last rounds see the disk hold out.
    void fill_disk_at_every_byte(const std::string& what, int64_t bytes, const std::function<void()>& op,
                                 const std::function<void()>& check)
    {
        for (int64_t limit = 0; limit <= bytes; ++limit) {
            SCOPED_TRACE(what + " with the disk full after " + std::to_string(limit) + " bytes");
            seed_files();
            testing::internal::CaptureStderr();
            {
                WriteLimit full(limit);
                op();
            }
            testing::internal::GetCapturedStderr();
            reset_saving_warning();
            check();
            EXPECT_EQ(temp_files_in(profiles()), 0);
            if (HasFailure())
                return;
        }
    }

    void expect_one_of(const std::string& name, const std::string& a, const std::string& b)
    {
        std::string now = read_file(name);
        EXPECT_TRUE(now == a || now == b) << name << " is torn (" << now.size() << " bytes)";
    }

    const std::string old_ann_ = profile_bytes("Ann", 2, 100, 3, 0, 1);
    const std::string new_ann_ = profile_bytes("Ann", 3, 1100, 8, 0, 1);
    const std::string old_table_ = row("Orrin", 30000, 1) + row("Tavi", 23000, 2) + row("Belka", 18000, 3) +
                                   row("Ann", 100, 4) + row("Bo", 200, 5) + row("Cy", 300, 6) +
                                   row("no", 0, 7);
};

TEST_F(CrashSafety, FullDiskAtAnyByteLeavesOldOrNewFiles)
{
    fill_disk_at_every_byte(
        "SaveProfile", 50,
        [] {
            set_current("Ann", 3, 1100, 8, 0, 1);
            SaveProfile(1);
        },
        [&] { expect_one_of("Profile_1.dat", old_ann_, new_ann_); });

    fill_disk_at_every_byte(
        "LoadProfile", 50, [] { LoadProfile(2); },
        [&] { EXPECT_EQ(read_file("Profile_2.dat"), profile_bytes("Bo", 4, 200, 6, 0, 2)); });

    fill_disk_at_every_byte(
        "SaveConfig", 16,
        [] {
            music_volume = 0.25f;
            SaveConfig();
        },
        [&] {
            expect_one_of("config.dat", f32(0.5f) + f32(0.5f) + i32(2), f32(0.25f) + f32(0.65f) + i32(1));
        });

    std::string new_table = old_table_;
    new_table.replace(old_table_.find("Ann\r\n") + 5, 8, i64(1100));
    fill_disk_at_every_byte(
        "Save_High_score", 160,
        [] {
            set_current("Ann", 3, 1100, 8, 0, 1);
            current_profile = 1;
            ProfileSaveT::Save_High_score();
        },
        [&] { expect_one_of("High_score.dat", old_table_, new_table); });

    // Deleting moves files by rename and rewrites only the current profile: whatever
    // fails, no profile is lost or doubled.
    fill_disk_at_every_byte(
        "DeleteProfile", 100,
        [] {
            LoadProfile(3);
            DeleteProfile(1);
        },
        [&] {
            EXPECT_EQ(read_file("Profile_1.dat"), profile_bytes("Bo", 4, 200, 6, 0, 2));
            EXPECT_EQ(read_file("Profile_2.dat"), profile_bytes("Cy", 6, 300, 9, 0, 1));
            EXPECT_FALSE(fs::exists(profiles() / "Profile_3.dat"));
        });
}

TEST_F(CrashSafety, KilledWriterLeavesLoadableFiles)
{
    // The writer tells the parent through a pipe each time it finishes a round of saves.
    // The parent times one round, then kills the writer at a random point of a later one,
    // so every kill lands in the middle of real work however fast the machine is.
    std::mt19937 rng(1234);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        seed_files();
        int done[2];
        ASSERT_EQ(pipe(done), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(done[0]);
            // Save as fast as possible until killed; each save carries a new score.
            for (int i = 1;; ++i) {
                set_current("Ann", 1 + i % 30, 100000 + i, i, 0, 1);
                current_profile = 1;
                SaveProfile(1);
                ProfileSaveT::Save_High_score();
                music_volume = static_cast<float>(i % 100) / 100.0f;
                SaveConfig();
                const char tick = 1;
                if (write(done[1], &tick, 1) != 1)
                    _exit(1);
            }
        }
        close(done[1]);
        auto finished_round = [&] {
            char tick = 0;
            return read(done[0], &tick, 1) == 1;
        };
        const bool first = finished_round();
        const auto started = std::chrono::steady_clock::now();
        const bool second = first && finished_round();
        const auto round_us =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started).count();
        usleep(static_cast<useconds_t>(std::uniform_int_distribution<int64_t>(0, std::max<int64_t>(round_us, 1))(rng)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(done[0]);
        ASSERT_TRUE(second) << "the writer died before finishing two rounds of saves";

        reset_profile_globals();
        ASSERT_EQ(LoadProfile(1), 1);
        EXPECT_EQ(profile_name, "Ann");
        EXPECT_GE(profile_score, 100001) << "the finished saves are not seen";
        EXPECT_EQ(read_file("High_score.dat").size(), old_table_.size());
        EXPECT_EQ(read_file("config.dat").size(), 12u);
        LoadConfig(); // clears what the killed writer left behind
        EXPECT_EQ(temp_files_in(profiles()), 0);
        EXPECT_EQ(read_file("Profile_2.dat"), profile_bytes("Bo", 4, 200, 6, 0, 2));
        EXPECT_EQ(read_file("Profile_3.dat"), profile_bytes("Cy", 6, 300, 9, 0, 1));
        if (HasFailure())
            return;
    }
}
