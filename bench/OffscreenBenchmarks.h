#pragma once

#include "BenchmarkRatios.h"
#include "FontSubstitutions.h"

#include <QApplication>

#include <vector>

/// main() of a benchmark that paints: an application on the offscreen platform (unless another
/// one is asked for) with the program's fonts, then the benchmarks and their ratios.
inline int RunOffscreenBenchmarks(int argc, char** argv,
                                  const std::vector<RatioReport::Pair>& pairs)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    return RatioReport::run(argc, argv, pairs);
}
