// Streams and file queries over the host file system.
#include "platform/files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// The installed data folder seen from the installed executable's (set by the build).
#ifndef WINGTRON_DATA_FROM_BIN
#define WINGTRON_DATA_FROM_BIN "../share/wingtron"
#endif

namespace {

std::string g_data_folder = ".";
std::string g_profiles_folder;

bool iequals(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Walks the components of a relative path below base, taking the exact name when it
// exists and otherwise the first entry that matches it case-insensitively.
std::string resolve_case(const std::string& base, const std::vector<std::string>& parts)
{
    std::string current = base;
    for (const std::string& part : parts) {
        std::string exact = current + "/" + part;
        std::error_code ec;
        if (part == "." || part == ".." || fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        std::string found;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (iequals(name, part)) {
                found = current + "/" + name;
                break;
            }
        }
        current = found.empty() ? exact : found;
    }
    return current;
}

int64_t g_write_limit = -1;  // bytes left before writes fail, negative for no limit
void (*g_files_changed)() = nullptr;

[[noreturn]] void read_error(const TStream* s) { throw StreamError(ReadErrorMessage(s->path())); }

}  // namespace

std::string ReadErrorMessage(const std::string& path)
{
    return "Error reading from stream: \"" + path + "\" ended early";
}

std::string WriteErrorMessage(const std::string& path) { return "Error writing to stream: \"" + path + "\""; }

void SetWriteLimitForTesting(int64_t bytes) { g_write_limit = bytes; }

void SetDataFolder(const std::string& folder) { g_data_folder = folder.empty() ? "." : folder; }
void SetProfilesFolder(const std::string& folder) { g_profiles_folder = folder; }
const std::string& DataFolder() { return g_data_folder; }

const std::string& ProfilesFolder()
{
    if (g_profiles_folder.empty())
        g_profiles_folder = g_data_folder + "/profiles";
    return g_profiles_folder;
}

std::string HostPath(const std::string& game_path)
{
    std::string p = game_path;
    for (char& c : p) {
        if (c == '\\')
            c = '/';
    }
    if (!p.empty() && p[0] == '/')
        return p;

    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t slash = p.find('/', start);
        if (slash == std::string::npos)
            slash = p.size();
        std::string part = p.substr(start, slash - start);
        if (!part.empty() && part != ".")
            parts.push_back(part);
        start = slash + 1;
    }
    std::string base = g_data_folder;
    if (!parts.empty() && iequals(parts[0], "profiles")) {
        base = ProfilesFolder();
        parts.erase(parts.begin());
    }
    return resolve_case(base, parts);
}

TStream::~TStream()
{
    if (file_)
        std::fclose(file_);
}

int64_t TStream::size() const { return file_ ? written_ : static_cast<int64_t>(data_.size()); }

void TStream::read_bytes(void* out, size_t n)
{
    if (file_ || static_cast<int64_t>(n) > remaining())
        read_error(this);
    if (n)
        std::memcpy(out, data_.data() + pos_, n);
    pos_ += static_cast<int64_t>(n);
}

void TStream::write_bytes(const void* data, size_t n)
{
    if (g_write_limit >= 0) {
        if (static_cast<int64_t>(n) > g_write_limit) {
            // Place what fits, as a full disk would, then fail.
            if (file_ && g_write_limit > 0)
                std::fwrite(data, 1, static_cast<size_t>(g_write_limit), file_);
            g_write_limit = 0;
            throw StreamError(WriteErrorMessage(path_));
        }
        g_write_limit -= static_cast<int64_t>(n);
    }
    if (!file_ || std::fwrite(data, 1, n, file_) != n)
        throw StreamError(WriteErrorMessage(path_));
    pos_ += static_cast<int64_t>(n);
    written_ = pos_;
}

TStream* ReadStream(const std::string& path)
{
    auto* s = new TStream();
    s->path_ = path;
    if (!LoadBytes(path, s->data_)) {
        delete s;
        return nullptr;
    }
    return s;
}

TStream* WriteStream(const std::string& path)
{
    std::FILE* f = std::fopen(HostPath(path).c_str(), "wb");
    if (!f)
        return nullptr;
    auto* s = new TStream();
    s->path_ = path;
    s->file_ = f;
    return s;
}

void CloseStream(TStream* stream)
{
    if (!stream)
        return;
    std::FILE* f = stream->file_;
    stream->file_ = nullptr;
    std::string path = stream->path_;
    delete stream;
    if (f && std::fclose(f) != 0)
        throw StreamError(WriteErrorMessage(path));
    if (f)
        NoteFilesChanged();
}

void SetFilesChangedHook(void (*hook)()) { g_files_changed = hook; }

void NoteFilesChanged()
{
    if (g_files_changed)
        g_files_changed();
}

TStream* CreateNewStream(const std::string& host_path)
{
    int fd = ::open(host_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(host_path.c_str());
        return nullptr;
    }
    auto* s = new TStream();
    s->path_ = host_path;
    s->file_ = f;
    return s;
}

int SyncStream(TStream* stream)
{
    if (!stream || !stream->file_)
        return 0;
    if (std::fflush(stream->file_) != 0)
        return 0;
    return ::fsync(fileno(stream->file_)) == 0 ? 1 : 0;
}

int Eof(TStream* s) { return s->position() >= s->size() ? 1 : 0; }

namespace {
template <typename T>
T read_value(TStream* s)
{
    T v;
    s->read_bytes(&v, sizeof v);  // the hosts we build for are little-endian
    return v;
}
template <typename T>
void write_value(TStream* s, T v)
{
    s->write_bytes(&v, sizeof v);
}
}  // namespace

int ReadByte(TStream* s) { return read_value<uint8_t>(s); }
int32_t ReadInt(TStream* s) { return read_value<int32_t>(s); }
int64_t ReadLong(TStream* s) { return read_value<int64_t>(s); }
float ReadFloat(TStream* s) { return read_value<float>(s); }
double ReadDouble(TStream* s) { return read_value<double>(s); }

std::string ReadString(TStream* s, int length)
{
    if (length <= 0)
        return {};
    if (length > s->remaining())
        read_error(s);
    std::string text(static_cast<size_t>(length), '\0');
    s->read_bytes(text.data(), text.size());
    return text;
}

std::string ReadLine(TStream* s)
{
    std::string line;
    while (s->remaining() > 0) {
        char c;
        s->read_bytes(&c, 1);
        if (c == '\n' || c == '\0')
            break;
        if (c != '\r')
            line.push_back(c);
    }
    return line;
}

void WriteByte(TStream* s, int value) { write_value<uint8_t>(s, static_cast<uint8_t>(value)); }
void WriteInt(TStream* s, int32_t value) { write_value(s, value); }
void WriteLong(TStream* s, int64_t value) { write_value(s, value); }
void WriteFloat(TStream* s, float value) { write_value(s, value); }
void WriteDouble(TStream* s, double value) { write_value(s, value); }
void WriteString(TStream* s, const std::string& text) { s->write_bytes(text.data(), text.size()); }

void WriteLine(TStream* s, const std::string& text)
{
    WriteString(s, text);
    WriteString(s, "\r\n");
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out)
{
    if (path.find('<') != std::string::npos || path.find('>') != std::string::npos)
        return false;
    std::FILE* f = std::fopen(HostPath(path).c_str(), "rb");
    if (!f)
        return false;
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        return false;
    }
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
    std::fclose(f);
    out.resize(got);
    return true;
}

int FileType(const std::string& path)
{
    if (path.find('<') != std::string::npos || path.find('>') != std::string::npos)
        return 0;
    struct stat st {};
    if (stat(HostPath(path).c_str(), &st) != 0)
        return 0;
    if (S_ISDIR(st.st_mode))
        return 2;
    return S_ISREG(st.st_mode) ? 1 : 0;
}

int64_t FileSize(const std::string& path)
{
    struct stat st {};
    if (stat(HostPath(path).c_str(), &st) != 0)
        return 0;
    return st.st_size;
}

int DeleteFile(const std::string& path)
{
    std::string host = HostPath(path);
    if (::unlink(host.c_str()) == 0)
        NoteFilesChanged();
    return FileType(path) == 1 ? 0 : 1;
}

int64_t FileTime(const std::string& path)
{
    struct stat st {};
    if (stat(HostPath(path).c_str(), &st) != 0)
        return 0;
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

int CreateDir(const std::string& path)
{
    std::error_code ec;
    if (fs::create_directories(HostPath(path), ec))
        NoteFilesChanged();
    return FileType(path) == 2 ? 1 : 0;
}

std::string ExecutableFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return ".";
    return exe.parent_path().string();
}

GameFolders LocateGameFolders(const std::string& exe_folder, const char* xdg_data_home, const char* home)
{
    std::error_code ec;
    if (fs::is_directory(fs::path(exe_folder) / "media", ec))
        return {exe_folder, ""};  // run from the build folder: everything beside the executable
    const fs::path installed = (fs::path(exe_folder) / WINGTRON_DATA_FROM_BIN).lexically_normal();
    if (!fs::is_directory(installed / "media", ec))
        return {exe_folder, ""};
    // Installed: the data folder is read-only to the player, saves go to the user's data
    // folder. A relative XDG_DATA_HOME is invalid and ignored, as the convention says.
    std::string base;
    if (xdg_data_home && xdg_data_home[0] == '/')
        base = xdg_data_home;
    else if (home && home[0])
        base = std::string(home) + "/.local/share";
    else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        base = std::string(pw->pw_dir) + "/.local/share";
    else
        base = ".";
    return {installed.string(), base + "/wingtron"};
}
