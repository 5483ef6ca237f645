#pragma once

#include "ReagentRecord.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

/// Deterministic made-up reagents with realistic field lengths and character mix: Chinese
/// names and texts, English names, CAS numbers with valid check digits, formulas with their
/// digits between "<sub>" and "</sub>". For benchmarks and scale tests.
///
/// Calls `onRecord` for records 0..count-1; the record's texts live until the next call.
void GenerateSyntheticRecords(std::int64_t count, std::uint64_t seed,
                              const std::function<void(const ReagentRecord&)>& onRecord);

/// Writes a whole synthetic database of `count` records.
void WriteSyntheticDatabase(std::ostream& out, std::int64_t count, std::uint64_t seed);
