#pragma once

#include "Instructions.h"
#include "ReagentRecord.h"

#include <string_view>
#include <vector>

class CVELMORDoc;

/// The five kinds of search and the field each one tests.
enum class SearchKind
{
    ChineseName,
    EnglishName,
    CasNumber,
    Use,
    Formula,
};

/// The field a search of `kind` tests.
Field TestedField(SearchKind kind);

/// The Chinese names of the records whose tested field holds `query` as a byte-exact
/// substring starting on a character boundary, in store order, duplicates and empty names
/// kept; an empty query matches nothing. The views point into the store. `instructions` lets
/// the tests run the portable search on any processor.
std::vector<std::string_view>
MatchRecords(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
             Instructions instructions = Instructions::Fastest);

/// The Chinese names of table slots 0 to 99, whatever the record count: the lists' first rows.
std::vector<std::string_view> InitialResultNames(const CVELMORDoc& doc);

inline constexpr int kInitialResultCount = 100;
