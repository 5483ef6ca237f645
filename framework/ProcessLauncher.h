#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

/// How a program started by LaunchProgram fared within its wait.
enum class LaunchOutcome
{
    FailedToStart, ///< the program could not be started
    Failed,        ///< it ended with a failure status, or crashed
    Succeeded,     ///< it ended with status 0
    StillRunning,  ///< it was still running when the wait was over
};

/// How long an opener may take to tell success from failure before it counts as a launcher
/// that is still running.
constexpr int kLaunchWaitMs = 2000;

/// Starts `program` with `arguments` as they stand (never through a shell) and reports through
/// `done`, from the event loop, how it fared within `waitMs`. The caller never waits. A program
/// still running then is left to run, also after this program has ended.
void LaunchProgram(const QString& program, const QStringList& arguments, int waitMs,
                   std::function<void(LaunchOutcome)> done);

/// Runs a short query program and hands its standard output to `done`; no value when it cannot
/// start, ends with a failure status or does not end within `waitMs` (it is then stopped).
void QueryProgram(const QString& program, const QStringList& arguments, int waitMs,
                  std::function<void(std::optional<QByteArray>)> done);
