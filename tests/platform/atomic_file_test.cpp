#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace
{
std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
int temp_files(const fs::path& folder)
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += e.path().filename().string().find(".tmp-") != std::string::npos;
    return n;
}
} // namespace

TEST(AtomicFile, ReplacesOnlyOnCommit)
{
    TempDir dir;
    dir.write("profiles/a.dat", "old");
    {
        AtomicFile abandoned(".\\profiles\\a.dat");
        ASSERT_NE(abandoned.stream(), nullptr);
        WriteString(abandoned.stream(), "half");
    }
    EXPECT_EQ(slurp(dir.path() + "/profiles/a.dat"), "old");
    EXPECT_EQ(temp_files(dir.path() + "/profiles"), 0);

    AtomicFile file(".\\profiles\\a.dat");
    WriteString(file.stream(), "new");
    EXPECT_EQ(file.Commit(), 1);
    EXPECT_EQ(slurp(dir.path() + "/profiles/a.dat"), "new");
    EXPECT_EQ(temp_files(dir.path() + "/profiles"), 0);

    AtomicFile nowhere(".\\missing\\b.dat");
    EXPECT_EQ(nowhere.stream(), nullptr);
    EXPECT_EQ(nowhere.Commit(), 0);
}

TEST(AtomicFile, CleanupSparesFilesOfRunningWriters)
{
    TempDir dir;
    // Process 1 is always running; the other id belongs to no process.
    dir.write("profiles/.a.dat.tmp-1-1-1", "in flight");
    dir.write("profiles/.a.dat.tmp-999999999-1-1", "abandoned");
    dir.write("profiles/.a.dat.tmp-" + std::to_string(getpid()) + "-1-1", "ours, left by an earlier save");
    dir.write("profiles/Profile_1.dat", "kept");
    EXPECT_EQ(CleanTempFiles(".\\profiles"), 2);
    EXPECT_TRUE(fs::exists(dir.path() + "/profiles/.a.dat.tmp-1-1-1"));
    EXPECT_TRUE(fs::exists(dir.path() + "/profiles/Profile_1.dat"));
    EXPECT_EQ(temp_files(dir.path() + "/profiles"), 1);
}
