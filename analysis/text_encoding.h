#pragma once

#include <string>
#include <string_view>

// Text from a data file as UTF-8: bytes that already are valid UTF-8 are kept,
// anything else is taken as Windows-1252, so a name is never garbled or lost.
std::string TextToUtf8(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);
