// Ending the program.
#include "state/program_exit.h"

void end_program(int code) { throw ProgramExit {code}; }
