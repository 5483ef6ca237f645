#pragma once

/// The code a hot loop runs: a search over a field, or the formula copy while loading.
enum class Instructions
{
    Fastest,  ///< the widest vector instructions the processor has
    Narrower, ///< vector instructions no wider than 256 bits, as on a processor without wider
    Portable, ///< plain code only, as on a processor without vector instructions
};
