// Whole-file writes for profiles, high scores and configuration.
#include "persist/save_file.h"

#include <cstdio>
#include <memory>

#include "platform/atomic_file.h"

namespace
{
bool g_warned = false;
}

void warn_saving_failed()
{
    if (g_warned)
        return;
    g_warned = true;
    std::fprintf(stderr, "Wingtron: cannot write to the profiles folder (%s); progress will not be saved.\n",
                 ProfilesFolder().c_str());
}

void reset_saving_warning()
{
    g_warned = false;
}

void write_name_line(TStream* s, const std::string& name)
{
    std::string line;
    for (char c : name) {
        if (c != '\n' && c != '\r' && c != '\0')
            line.push_back(c);
    }
    WriteLine(s, line);
}

int write_save_file(const std::string& path, const std::function<void(TStream*)>& fill)
{
    auto file = std::make_unique<AtomicFile>(path);
    if (!file->stream()) {
        // The folder may have gone since start-up: make it again once.
        size_t cut = path.find_last_of('\\');
        if (cut != std::string::npos && cut > 0 && CreateDir(path.substr(0, cut)))
            file = std::make_unique<AtomicFile>(path);
    }
    if (!file->stream()) {
        warn_saving_failed();
        return 0;
    }
    try {
        fill(file->stream());
    } catch (const StreamError&) {
        warn_saving_failed();
        return 0; // the temporary file goes with `file`
    }
    if (!file->Commit()) {
        warn_saving_failed();
        return 0;
    }
    return 1;
}
