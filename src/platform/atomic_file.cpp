// Atomic replacement of files over POSIX: O_EXCL temporary files, fsync, rename and a sync
// of the folder so the rename itself survives a power cut.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace
{

const char* const kTempMarker = ".tmp-";

std::string folder_of(const std::string& host_path)
{
    size_t slash = host_path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : host_path.substr(0, slash);
}

std::string leaf_of(const std::string& host_path)
{
    size_t slash = host_path.rfind('/');
    return slash == std::string::npos ? host_path : host_path.substr(slash + 1);
}

void sync_folder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

AtomicFile::AtomicFile(const std::string& game_path) : target_(HostPath(game_path))
{
    // ".NAME.tmp-PID-SERIAL": hidden, unique per process, and the process id lets a later
    // run tell an abandoned file from one still being written.
    static unsigned serial = 0;
    std::string base =
        folder_of(target_) + "/." + leaf_of(target_) + kTempMarker + std::to_string(::getpid()) + "-";
    auto stamp = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 16 && !stream_; ++attempt) {
        temp_ = base + std::to_string(++serial) + "-" + std::to_string(stamp % 1000000);
        stream_ = CreateNewStream(temp_);
        if (!stream_ && errno != EEXIST)
            break;
    }
    if (!stream_)
        temp_.clear();
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (!stream_)
        return;
    TStream* s = stream_;
    stream_ = nullptr;
    try {
        CloseStream(s);
    } catch (const StreamError&) {
        // the file is removed below either way
    }
    ::unlink(temp_.c_str());
}

int AtomicFile::Commit()
{
    if (!stream_)
        return 0;
    if (!SyncStream(stream_)) {
        discard();
        return 0;
    }
    TStream* s = stream_;
    stream_ = nullptr;
    try {
        CloseStream(s);
    } catch (const StreamError&) {
        ::unlink(temp_.c_str());
        return 0;
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        ::unlink(temp_.c_str());
        return 0;
    }
    sync_folder(folder_of(target_));
    NoteFilesChanged();
    return 1;
}

int MoveFile(const std::string& from, const std::string& to)
{
    std::string host_from = HostPath(from);
    std::string host_to = HostPath(to);
    if (::rename(host_from.c_str(), host_to.c_str()) != 0)
        return 0;
    sync_folder(folder_of(host_to));
    NoteFilesChanged();
    return 1;
}

int CleanTempFiles(const std::string& folder)
{
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(HostPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        size_t mark = name.rfind(kTempMarker);
        if (name.empty() || name[0] != '.' || mark == std::string::npos)
            continue;
        long pid = std::strtol(name.c_str() + mark + std::string(kTempMarker).size(), nullptr, 10);
        bool writer_alive =
            pid > 0 && pid != ::getpid() && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (writer_alive)
            continue;
        if (::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

int FolderWritable(const std::string& folder)
{
    std::string host = HostPath(folder);
    struct stat st {
    };
    if (::stat(host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return 0;
    return ::access(host.c_str(), W_OK | X_OK) == 0 ? 1 : 0;
}
