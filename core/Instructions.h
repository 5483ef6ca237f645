#pragma once

/// The code a hot loop runs: a search over a field, or the formula copy while loading.
enum class Instructions
{
    Fastest,  ///< vector instructions where the processor has them
    Portable, ///< plain code only, as on a processor without them
};
