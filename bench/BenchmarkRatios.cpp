#include "BenchmarkRatios.h"

#include <cstdio>
#include <cstring>

namespace {

/// Prints as the console reporter does and keeps each benchmark's mean real time; when it runs
/// repeatedly, the median of its repetitions, which a passing disturbance does not move.
class KeepingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // The median comes after the repetitions it sums up.
            const bool kept = run.run_type == Run::RT_Iteration ||
                              (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median");
            if (kept && !run.error_occurred) {
                const std::string name = run.run_name.str();
                milliseconds[name] = run.GetAdjustedRealTime() /
                                     benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
                for (const auto& [counter, value] : run.counters)
                    counters[name + ":" + counter] = value.value;
            }
        }
    }
    std::map<std::string, double> milliseconds;
    std::map<std::string, double> counters;
};

} // namespace

int RatioReport::run(int argc, char** argv, const std::vector<Pair>& pairs)
{
    bool strict = false;
    bool repetitionsGiven = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--strict") == 0)
            strict = true;
        else
            args.push_back(argv[i]);
        repetitionsGiven =
            repetitionsGiven || std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
    }
    // By default each benchmark runs five times, in an order shuffled with the others', and its
    // median counts: on a shared machine, a figure and its floor run one after the other may
    // meet very different weather.
    static char repetitions[] = "--benchmark_repetitions=5";
    static char interleaving[] = "--benchmark_enable_random_interleaving=true";
    static char aggregatesOnly[] = "--benchmark_display_aggregates_only=true";
    if (!repetitionsGiven)
        args.insert(args.begin() + 1, {repetitions, interleaving, aggregatesOnly});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool allMet = true;
    std::printf("\n%-44s %-36s %10s  %s\n", "figure", "against", "measured", "target");
    const auto& times = reporter.milliseconds;
    for (const Pair& p : pairs) {
        const auto s = times.find(p.subject);
        if (s == times.end())
            continue;
        double figure = s->second;
        const char* unit = "ms";
        const char* against = p.baseline.c_str();
        if (!p.counter.empty()) {
            const auto c = reporter.counters.find(p.subject + ":" + p.counter);
            if (c == reporter.counters.end())
                continue;
            figure = c->second;
            unit = "x";
            against = p.counter.c_str();
        } else if (!p.baseline.empty()) {
            const auto b = times.find(p.baseline);
            if (b == times.end())
                continue;
            figure = p.atLeast ? b->second / s->second : s->second / b->second;
            unit = "x";
        }
        const bool met = p.atLeast ? figure >= p.limit : figure <= p.limit;
        allMet = allMet && met;
        std::printf("%-44s %-36s %8.2f%-2s  %s %s\n", p.subject.c_str(), against, figure, unit,
                    p.claim.c_str(), met ? "(met)" : "(MISSED)");
    }
    return strict && !allMet ? 1 : 0;
}
