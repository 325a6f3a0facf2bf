#pragma once

#include <string>

#include "command_line.h"

// Input Data on the file, then Results, through the controller with a view
// of no window: the report's lines on standard output (status 0), or the
// failure message's text on standard error (status 1). When reading stopped
// before the end of the file with data left unread, one more line on
// standard error says where, why and with how many pairs, and a report
// ends with status 3 instead.
ConsoleOutcome Report(const std::string& file);
