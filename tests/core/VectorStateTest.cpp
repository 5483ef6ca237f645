// Clearing the upper halves of the vector registers: afterwards the processor reports them
// unused, whatever had left them in use.

#include "VectorState.h"

#include <gtest/gtest.h>

#if defined(__x86_64__)

#include <cpuid.h>

namespace {

/// Whether the processor reports which of its register states are in use (XGETBV with ECX 1).
bool ReportsStatesInUse()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __builtin_cpu_supports("avx") && __get_cpuid_count(0xD, 1, &a, &b, &c, &d) &&
           (a & (1u << 2)) != 0;
}

/// Whether the upper halves of the 256-bit registers are in use.
bool UpperHalvesInUse()
{
    unsigned low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & (1u << 2)) != 0;
}

} // namespace

TEST(VectorState, UpperHalvesLeftInUseAreMarkedUnused)
{
    if (!ReportsStatesInUse())
        GTEST_SKIP() << "the processor does not report its register states in use";
    // As a 256-bit instruction leaves them, with no clearing after it.
    __asm__ volatile("vpcmpeqd %%ymm1, %%ymm1, %%ymm1" ::: "xmm1");
    const bool before = UpperHalvesInUse();
    ClearUpperVectorHalves();
    const bool after = UpperHalvesInUse();
    EXPECT_TRUE(before);
    EXPECT_FALSE(after);
}

#endif
