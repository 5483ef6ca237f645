#pragma once

/// The code a substring search runs.
enum class SearchInstructions
{
    Fastest,  ///< vector instructions where the processor has them
    Portable, ///< plain code only, as on a processor without them
};
