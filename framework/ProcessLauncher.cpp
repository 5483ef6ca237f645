#include "ProcessLauncher.h"

#include <QProcess>
#include <QTimer>

#include <memory>
#include <set>
#include <utility>

namespace {

// Every process object made here, until it is deleted. A launcher that outlives this program
// must not be killed, as destroying its process object would do, so an object is deleted only
// once its program has ended; one still running at exit is left as it is (and kept here).
std::set<QProcess*>& LiveProcesses()
{
    static auto* live = new std::set<QProcess*>;
    return *live;
}

using Decide = std::function<void(LaunchOutcome, QProcess&)>;

// Starts `program` and calls `decide` once: when it cannot start, when it ends, or when it is
// still running after `waitMs`, whichever comes first.
void Run(const QString& program, const QStringList& arguments, int waitMs,
         QProcess::ProcessChannelMode channels, Decide decide)
{
    auto* process = new QProcess;
    LiveProcesses().insert(process);
    QObject::connect(process, &QObject::destroyed, [process] { LiveProcesses().erase(process); });
    auto pending = std::make_shared<Decide>(std::move(decide));
    auto once = [process, pending](LaunchOutcome outcome) {
        if (*pending)
            std::exchange(*pending, nullptr)(outcome, *process);
    };
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(channels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, once](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         once(LaunchOutcome::FailedToStart);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, once](int code, QProcess::ExitStatus status) {
                         const bool ok = status == QProcess::NormalExit && code == 0;
                         once(ok ? LaunchOutcome::Succeeded : LaunchOutcome::Failed);
                         process->deleteLater();
                     });
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, process,
                     [once] { once(LaunchOutcome::StillRunning); });
    process->start();
    timer->start(waitMs);
}

} // namespace

void LaunchProgram(const QString& program, const QStringList& arguments, int waitMs,
                   std::function<void(LaunchOutcome)> done)
{
    Run(program, arguments, waitMs, QProcess::ForwardedChannels,
        [done = std::move(done)](LaunchOutcome outcome, QProcess&) { done(outcome); });
}

void QueryProgram(const QString& program, const QStringList& arguments, int waitMs,
                  std::function<void(std::optional<QByteArray>)> done)
{
    Run(program, arguments, waitMs, QProcess::SeparateChannels,
        [done = std::move(done)](LaunchOutcome outcome, QProcess& process) {
            if (outcome == LaunchOutcome::StillRunning)
                process.kill();
            done(outcome == LaunchOutcome::Succeeded
                     ? std::optional<QByteArray>(process.readAllStandardOutput())
                     : std::nullopt);
        });
}
