#pragma once

#include <optional>
#include <string_view>

/// A molecular weight as the database states it: a decimal number such as "58.44",
/// optionally followed by the unit "g/mol".
struct StatedWeight
{
    double value = 0;
    int decimals = 0; ///< digits after the decimal point
};

/// Reads a stated molecular weight; nothing when the text is not one.
std::optional<StatedWeight> ParseStatedWeight(std::string_view text);

/// True when a stated weight agrees with the weight computed from the formula. They agree
/// within the largest of: 0.02; 0.05 % of the computed weight (room for tables of atomic
/// weights that differ in the last digits); and half a unit in the last digit stated, so that
/// a weight rounded to "58.4" or "58" still agrees with 58.44.
bool WeightsAgree(const StatedWeight& stated, double computed);
