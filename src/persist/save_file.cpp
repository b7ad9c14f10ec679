// Whole-file writes for profiles, high scores and configuration.
#include "persist/save_file.h"

#include <cstdio>

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

int write_save_file(const std::string& path, const std::function<void(TStream*)>& fill)
{
    AtomicFile file(path);
    if (!file.stream()) {
        warn_saving_failed();
        return 0;
    }
    try {
        fill(file.stream());
    } catch (const StreamError&) {
        warn_saving_failed();
        return 0; // the temporary file goes with `file`
    }
    if (!file.Commit()) {
        warn_saving_failed();
        return 0;
    }
    return 1;
}
