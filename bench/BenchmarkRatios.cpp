#include "BenchmarkRatios.h"

#include <cstdio>
#include <cstring>

namespace {

/// Prints as the console reporter does and keeps each benchmark's mean real time.
class KeepingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> times;
};

} // namespace

int RatioReport::run(int argc, char** argv, const std::vector<Pair>& pairs)
{
    bool strict = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--strict") == 0)
            strict = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    KeepingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool allMet = true;
    std::printf("\n%-44s %-36s %8s  %s\n", "figure", "against", "ratio", "target");
    for (const Pair& p : pairs) {
        const auto s = reporter.times.find(p.subject);
        const auto b = reporter.times.find(p.baseline);
        if (s == reporter.times.end() || b == reporter.times.end())
            continue;
        const double ratio = p.atLeast ? b->second / s->second : s->second / b->second;
        const bool met = p.atLeast ? ratio >= p.limit : ratio <= p.limit;
        allMet = allMet && met;
        std::printf("%-44s %-36s %7.2fx  %s %s\n", p.subject.c_str(), p.baseline.c_str(), ratio,
                    p.claim.c_str(), met ? "(met)" : "(MISSED)");
    }
    return strict && !allMet ? 1 : 0;
}
