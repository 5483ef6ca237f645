#pragma once

#include <optional>
#include <ostream>

/// Answers "--version" and "--help" (or "-h") on the command line, before any window system is
/// asked for: both print to `out` and give the exit status 0. Nothing for any other command
/// line, which the program starts with.
std::optional<int> AnswerInformationRequest(int argc, const char* const* argv, std::ostream& out);
