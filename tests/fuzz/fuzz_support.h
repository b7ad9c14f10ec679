// Shared pieces of the fuzz targets: a scratch profiles folder on a memory file system
// (saves sync their files), and a check that stops the run when an invariant breaks.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/files.h"

#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #cond);                \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

// The folder, made once per process and set as the data and profiles folder.
inline const std::string& fuzz_folder()
{
    // Never destroyed: the clean-up at exit still needs it.
    static const std::string* folder = [] {
        std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string tmpl = base + "/wingtron-fuzz-XXXXXX";
        auto* path = new std::string(mkdtemp(tmpl.data()));
        SetDataFolder(*path);
        SetProfilesFolder(*path + "/profiles");
        std::filesystem::create_directories(*path + "/profiles");
        std::atexit([] { std::filesystem::remove_all(fuzz_folder()); });
        return path;
    }();
    return *folder;
}

inline void put_file(const std::string& name, const uint8_t* data, size_t size)
{
    std::ofstream out(fuzz_folder() + "/profiles/" + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

inline void remove_file(const std::string& name)
{
    std::filesystem::remove(fuzz_folder() + "/profiles/" + name);
}
