// A fresh folder per test that is removed again afterwards, set as the game's data folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "wingtron-test-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
        SetDataFolder(path_);
        SetProfilesFolder(path_ + "/profiles");
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

    // Writes bytes to a file relative to the folder (forward slashes).
    void write(const std::string& rel, const std::string& bytes) const
    {
        std::filesystem::path p = std::filesystem::path(path_) / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
    }

private:
    std::string path_;
};
