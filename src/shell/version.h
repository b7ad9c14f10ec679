// The game's version, as `wingtron --version` prints it: the release, plus the commit it
// was built from when built from a git checkout. Defined in a file the build writes.
#pragma once

extern const char* const kGameVersion;
