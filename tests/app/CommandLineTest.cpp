#include "Version.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int exitCode;
    QString out;
};

/// Runs the program with `argument` where no display of any kind is to be had.
ProgramRun RunWithoutDisplay(const QString& argument)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELMOR_PROGRAM), {argument});
    EXPECT_TRUE(program.waitForFinished(10000));
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput())};
}

} // namespace

TEST(CommandLine, VersionAndHelpAreAnsweredWithoutADisplay)
{
    const ProgramRun version = RunWithoutDisplay(QStringLiteral("--version"));
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("velmor %1\n").arg(QString::fromLatin1(kVelmorVersion)));
    for (const char* help : {"--help", "-h"}) {
        const ProgramRun run = RunWithoutDisplay(QString::fromLatin1(help));
        EXPECT_EQ(run.exitCode, 0) << help;
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("用法：velmor"))) << help;
        EXPECT_TRUE(run.out.contains(QStringLiteral("--version"))) << help;
    }
}
