// Replacing files whole: a save goes to a unique temporary file beside its target, is
// flushed and synced, then renamed over the target, so a crash or a full disk at any moment
// leaves either the old file or the new one, never a torn one.
#pragma once

#include <string>

#include "platform/files.h"

class AtomicFile
{
public:
    // Opens a fresh temporary file beside the game path's target.
    explicit AtomicFile(const std::string& game_path);
    // A temporary file that was not committed is removed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The temporary file to write to; nullptr when none could be created.
    TStream* stream() const { return stream_; }
    // Syncs the temporary file, renames it over the target and syncs the folder. 1 when the
    // new file is in place; 0 leaves the target as it was and removes the temporary file.
    int Commit();

private:
    void discard();

    std::string target_; // host paths
    std::string temp_;
    TStream* stream_ = nullptr;
};

// Moves a file to another name in the same folder in one step; 1 on success.
int MoveFile(const std::string& from, const std::string& to);
// Removes the temporary files that interrupted saves left in a folder (a game path); those
// of a process that is still running are left alone. Returns how many were removed.
int CleanTempFiles(const std::string& folder);
// 1 when new files can be created in the folder (a game path).
int FolderWritable(const std::string& folder);
