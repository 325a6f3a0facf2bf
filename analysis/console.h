#pragma once

#include <string>
#include <vector>

#include "command_line.h"

// The program's arguments, its own name left out. On Windows they come as
// UTF-8 from the wide command line, which holds any name; elsewhere they are
// the bytes given.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Writes the outcome to standard output and error and returns its status,
// or 1 when it could not be written. A Windows program without a console of
// its own writes into its parent's, unless its output is redirected.
int WriteOutcome(const ConsoleOutcome& outcome);
