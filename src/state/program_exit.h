// Ending the program from any loop (a close request, the runner's frame limit): the
// exception unwinds to main, which exits with its code.
#pragma once

struct ProgramExit {
    int code = 0;
};
[[noreturn]] void end_program(int code = 0);
