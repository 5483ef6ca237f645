#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

/// Runs the registered benchmarks, then prints each measured pair as a ratio, so a result can be
/// judged on a noisy machine: the figure and its floor or peer are measured in the same run.
class RatioReport
{
public:
    struct Pair
    {
        std::string subject; ///< benchmark name, as Google Benchmark prints it
        std::string baseline;
        std::string claim; ///< e.g. "<= 3x reading the bytes"
        double limit;      ///< the ratio subject/baseline must not exceed (or, if `atLeast`,
                           ///< baseline/subject must reach)
        bool atLeast = false;
    };

    /// Runs everything; returns the process exit code (1 when a ratio misses its limit and
    /// `strict` is set).
    static int run(int argc, char** argv, const std::vector<Pair>& pairs);
};
