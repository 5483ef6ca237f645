#include "ProcessLauncher.h"

#include <QProcess>
#include <QTimer>

#include <memory>
#include <set>
#include <utility>

namespace {

// The launched programs that have not ended yet. A launcher that outlives this program must not
// be killed, as destroying its process object would do, so each object is kept here until its
// program ends; those still running at exit are left as they are.
std::set<QProcess*>& RunningLaunchers()
{
    static auto* running = new std::set<QProcess*>;
    return *running;
}

// Tells the outcome of one launch once.
struct Watch
{
    std::function<void(LaunchOutcome)> done;

    void Decide(LaunchOutcome outcome)
    {
        if (done)
            std::exchange(done, nullptr)(outcome);
    }
};

void Forget(QProcess* process)
{
    RunningLaunchers().erase(process);
    process->deleteLater();
}

} // namespace

void LaunchProgram(const QString& program, const QStringList& arguments, int waitMs,
                   std::function<void(LaunchOutcome)> done)
{
    auto* process = new QProcess;
    RunningLaunchers().insert(process);
    auto watch = std::make_shared<Watch>();
    watch->done = std::move(done);
    process->setProgram(program);
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, watch](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         watch->Decide(LaunchOutcome::FailedToStart);
                         Forget(process);
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, watch](int code, QProcess::ExitStatus status) {
                         const bool ok = status == QProcess::NormalExit && code == 0;
                         watch->Decide(ok ? LaunchOutcome::Succeeded : LaunchOutcome::Failed);
                         Forget(process);
                     });
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, process,
                     [watch] { watch->Decide(LaunchOutcome::StillRunning); });
    process->start();
    timer->start(waitMs);
}

void QueryProgram(const QString& program, const QStringList& arguments, int waitMs,
                  std::function<void(std::optional<QByteArray>)> done)
{
    auto* process = new QProcess;
    auto answer = std::make_shared<std::function<void(std::optional<QByteArray>)>>(std::move(done));
    // Answers once, then lets the process object go.
    auto finish = [process, answer](std::optional<QByteArray> output) {
        if (!*answer)
            return;
        const auto callback = std::exchange(*answer, nullptr);
        process->deleteLater();
        callback(std::move(output));
    };
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             finish(std::nullopt);
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, finish](int code, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && code == 0)
                             finish(process->readAllStandardOutput());
                         else
                             finish(std::nullopt);
                     });
    auto* timer = new QTimer(process);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, process, [process, finish] {
        finish(std::nullopt);
        process->kill();
    });
    process->start();
    timer->start(waitMs);
}
