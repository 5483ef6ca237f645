#pragma once

#include <string>
#include <string_view>

/// Appends `utf8Text` as a JSON string, quotes included: '"' and '\\' escaped, control
/// characters as \n, \r, \t, \b, \f or \u00XX, everything else as it stands.
void appendJsonString(std::string& out, std::string_view utf8Text);
