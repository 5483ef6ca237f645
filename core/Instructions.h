#pragma once

/// The code a hot loop runs: a search over a field, or the formula copy while loading.
enum class Instructions
{
    Fastest,  ///< vector instructions where the processor has them
    Narrow,   ///< 256-bit vectors at most, as on a processor without 512-bit ones
    Portable, ///< plain code only, as on a processor without vectors
};
