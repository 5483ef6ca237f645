#pragma once

#include "Instructions.h"

#include <cstddef>

/// The subscript markers of a formula as the database file stores it ("C<sub>6</sub>H..."):
/// the store keeps its formulas without them, having deleted every "<sub>" and then every
/// "</sub>", each pass looking at the text as it was before it.

/// Deletes the markers from the `size` bytes at `text`, in place; returns the new size.
std::size_t RemoveFormulaMarkers(char* text, std::size_t size);

/// Bytes past the end of a text that CopyWithoutFormulaMarkers may read and write.
inline constexpr std::size_t kMarkerPadding = 8;

/// Copies the `size` bytes at `from` to `to` without the markers; returns the size copied.
/// The ranges must not overlap; kMarkerPadding bytes past each may be read or overwritten.
/// `instructions` lets the tests run the plain code on any processor.
std::size_t CopyWithoutFormulaMarkers(char* to, const char* from, std::size_t size,
                                      Instructions instructions = Instructions::Fastest);
