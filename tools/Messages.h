#pragma once

#include <string>
#include <string_view>

/// “text”: how messages quote a file name, a value or a name.
std::string quoted(std::string_view text);

/// Writes "velmor-kdb: " and the message (UTF-8, Chinese) as one line on standard error.
void printMessage(std::string_view message);

/// A short Chinese description of a system error number, for messages about files.
std::string systemReason(int error);
