#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

/// What ImportCsv made of a CSV text.
struct CsvImport
{
    std::int32_t records = 0;
    std::vector<std::string> ignoredColumns; ///< header names that are not field names
};

/// Writes the database that a UTF-8 CSV text describes to `out`.
///
/// The header row names the fields by their names in the code (`ChineseName`, ...), in any
/// order; a field without a column is empty (0 for `LeadInt1` and `LeadInt2`, which are
/// decimal integers). A byte order mark before the header is skipped, and so are empty lines.
/// Texts are stored in code page 936 as they stand, so a `Formula` keeps its "<sub>" markers.
/// Throws CommandError, naming `sourceName`, the row and the column, for a CSV fault, a row
/// with the wrong number of fields, a bad integer, a text code page 936 cannot hold, or more
/// rows than the program holds; nothing is written to `out` then.
CsvImport ImportCsv(std::string_view csvText, std::string_view sourceName, std::ostream& out);
