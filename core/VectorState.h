#pragma once

/// Marks the upper halves of the processor's 256-bit vector registers unused, as code that used
/// them should on leaving, where the processor has them; does nothing elsewhere.
///
/// Some of Qt's string hashing leaves them in use. Until they are marked unused again, on some
/// Intel processors every switch between the two encodings of vector instructions stalls: the
/// C library's mathematical functions are of the newer encoding and their callers of the older
/// one, so that a loop of powers ran ten times as slowly.
void ClearUpperVectorHalves();
