#pragma once

#include "ReagentRecord.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CVELMORDoc;

/// UTF-8 text in code page 936, for readable tests.
std::string gbkOf(std::string_view utf8);

/// A record with the given Chinese name and other fields; views must outlive its use.
ReagentRecord reagent(std::string_view chineseName,
                      std::initializer_list<std::pair<Field, std::string_view>> fields = {});

/// The bytes of a database file holding `records`.
std::string databaseBytes(const std::vector<ReagentRecord>& records);

/// Loads `records` into `doc` through the file format.
void loadRecords(CVELMORDoc& doc, const std::vector<ReagentRecord>& records);
