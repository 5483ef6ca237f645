#pragma once

#include <optional>
#include <string_view>

/// The standard atomic weight of an element by its symbol ("Na"), as IUPAC gives it in
/// abridged form (conventional values for the elements that have an interval). Elements with
/// no stable isotope weigh the mass number of their longest-lived isotope. "D" and "T",
/// deuterium and tritium, are included because labelled reagents are written with them.
std::optional<double> AtomicWeight(std::string_view symbol);
