#pragma once

#include <optional>
#include <string>
#include <string_view>

/// The molecular weight of a chemical formula (UTF-8), from standard atomic weights.
///
/// Reads element symbols with counts ("C6H12O6"), groups in (), [] or {} with a count after
/// them ("K3[Fe(CN)6]"), and adducts joined by ".", "*" or a middle dot, each with an optional
/// leading multiplier that may be a whole number, a decimal or a fraction ("CuSO4.5H2O",
/// "CaSO4·1/2H2O"). Blanks around a joining dot are allowed. Anything else, such as a
/// variable count ("(C2H4)n", "xH2O") or a charge, makes the formula unreadable: then the
/// result is empty and `problem`, if given, says why in Chinese.
std::optional<double> FormulaWeight(std::string_view formula, std::string* problem = nullptr);
