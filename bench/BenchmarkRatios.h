#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

/// Runs the registered benchmarks, then prints each target with the figure measured for it, so
/// a result can be judged on a noisy machine: a figure and its floor or peer are measured in
/// the same run. Each figure is the median of its repetitions, five unless
/// --benchmark_repetitions says otherwise, run in shuffled order.
class RatioReport
{
public:
    struct Pair
    {
        std::string subject;  ///< benchmark name, as Google Benchmark prints it
        std::string baseline; ///< the floor or peer; empty when `limit` is a time or a counter
        std::string claim;    ///< e.g. "<= 3x reading the bytes"
        double limit;         ///< the ratio subject/baseline must not exceed (or, if `atLeast`,
                              ///< baseline/subject must reach); without a baseline, the
                              ///< subject's milliseconds, or its counter `counter`
        bool atLeast = false;
        std::string counter = {}; ///< a ratio the subject measured itself, as a counter
    };

    /// Runs everything; returns the process exit code (1 when a figure misses its target and
    /// `--strict` is given).
    static int run(int argc, char** argv, const std::vector<Pair>& pairs);
};
