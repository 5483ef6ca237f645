#include "VectorState.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

} // namespace

void ClearUpperVectorHalves()
{
    // The instruction does not exist before AVX.
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        zeroUpper();
}

#else

void ClearUpperVectorHalves() {}

#endif
