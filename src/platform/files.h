// Byte streams over files with typed little-endian reads and writes, plus the few
// file-system queries the game makes. Game paths use backslashes (".\profiles\x.dat").
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Raised when a typed read runs out of bytes, or a write cannot place its bytes.
// The message names the file.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The read and write error texts for a file.
std::string ReadErrorMessage(const std::string& path);
std::string WriteErrorMessage(const std::string& path);

// A file opened for reading (the whole file is held in memory) or for writing.
class TStream {
public:
    ~TStream();
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    const std::string& path() const { return path_; }
    int64_t position() const { return pos_; }
    int64_t size() const;
    bool writable() const { return file_ != nullptr; }

    // Copies exactly n bytes or throws StreamError.
    void read_bytes(void* out, size_t n);
    void write_bytes(const void* data, size_t n);
    int64_t remaining() const { return size() - pos_; }

private:
    friend TStream* ReadStream(const std::string& path);
    friend TStream* WriteStream(const std::string& path);
    friend void CloseStream(TStream* stream);
    friend TStream* CreateNewStream(const std::string& host_path);
    friend int SyncStream(TStream* stream);
    TStream() = default;

    std::string path_;
    std::vector<uint8_t> data_;  // read mode
    std::FILE* file_ = nullptr;  // write mode
    int64_t pos_ = 0;
    int64_t written_ = 0;
};

// Host path of a game path: backslashes become slashes; relative paths are taken from the
// data folder (".\profiles\..." from the profiles folder), and a component whose exact case
// is missing is looked up case-insensitively.
std::string HostPath(const std::string& game_path);

// Folders the game reads its data from and writes its profiles to (set once by main).
void SetDataFolder(const std::string& folder);
void SetProfilesFolder(const std::string& folder);
const std::string& DataFolder();
const std::string& ProfilesFolder();

TStream* ReadStream(const std::string& path);   // nullptr when it cannot be opened
TStream* WriteStream(const std::string& path);  // nullptr when it cannot be created
void CloseStream(TStream* stream);              // throws StreamError when buffered bytes cannot be written
int Eof(TStream* stream);

// Creates a file that must not exist yet, at a host path (not a game path); nullptr when it
// exists or cannot be created. For temporary files beside a file being replaced.
TStream* CreateNewStream(const std::string& host_path);
// Pushes a write stream's bytes to the disk (flush and fsync); 1 on success.
int SyncStream(TStream* stream);
// Test hook that simulates a full disk: after this many more bytes every write fails with
// the write error. A negative limit (the default) means no limit.
void SetWriteLimitForTesting(int64_t bytes);

int ReadByte(TStream* s);
int32_t ReadInt(TStream* s);
int64_t ReadLong(TStream* s);
float ReadFloat(TStream* s);
double ReadDouble(TStream* s);
std::string ReadString(TStream* s, int length);
std::string ReadLine(TStream* s);

void WriteByte(TStream* s, int value);
void WriteInt(TStream* s, int32_t value);
void WriteLong(TStream* s, int64_t value);
void WriteFloat(TStream* s, float value);
void WriteDouble(TStream* s, double value);
void WriteString(TStream* s, const std::string& text);
void WriteLine(TStream* s, const std::string& text);

// Called after every change the game makes to its saved files (a save put in place, a
// file moved, deleted or a folder made); the browser build copies them to lasting storage
// then. No hook by default.
void SetFilesChangedHook(void (*hook)());
void NoteFilesChanged();

// Whole file as bytes; false when it cannot be read.
bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);

int FileType(const std::string& path);  // 0 nothing, 1 file, 2 folder
int64_t FileSize(const std::string& path);
int DeleteFile(const std::string& path);  // 1 when no file is left at the path
// Modification time in nanoseconds since the epoch, 0 when the path cannot be inspected.
int64_t FileTime(const std::string& path);
// Creates the folder and its parents; 1 when it exists afterwards.
int CreateDir(const std::string& path);
// Folder of the running executable ("." when unknown).
std::string ExecutableFolder();

// Where the game reads its data and keeps its saves, for an executable in exe_folder. Run
// from its build folder (data beside it): the data there, profiles beside it (profiles
// empty = the default). Installed (PREFIX/bin, data in PREFIX/share/wingtron): that data
// folder, and profiles in $XDG_DATA_HOME/wingtron, by default ~/.local/share/wingtron.
struct GameFolders {
    std::string data;
    std::string profiles;
};
GameFolders LocateGameFolders(const std::string& exe_folder, const char* xdg_data_home, const char* home);
