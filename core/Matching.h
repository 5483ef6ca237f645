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

/// The records whose tested field holds `query` as a byte-exact substring starting on a
/// character boundary, each once, in store order; an empty query matches nothing. A list shows
/// them by their names (CVELMORDoc::RecordName), read when a row is shown: with thousands of
/// hits, reading every name here would add a fifth to the search. `instructions` lets the
/// tests run the portable search on any processor.
std::vector<int> MatchRecords(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                              Instructions instructions = Instructions::Fastest);

/// Table slots 0 to 99, whatever the record count: the lists' first rows.
std::vector<int> InitialResultRecords();

inline constexpr int kInitialResultCount = 100;
