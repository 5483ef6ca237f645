#include "FakeDesktop.h"
#include "HyperlinkShell.h"
#include "ProcessLauncher.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

// The desktop's own opener against a fake xdg-open, xdg-mime and web page handler.

namespace {

const QString kTarget = QStringLiteral("http://a.example/?q=1;touch pwned");
const QString kHandlerLog = QStringLiteral("--new-window\n") + kTarget + u'\n';

int Open()
{
    std::optional<int> result;
    OpenHyperlink(DesktopHyperlinkShell(), kTarget, [&](int code) { result = code; });
    // The caller never waits for the opener: the answer comes from the event loop.
    EXPECT_FALSE(result);
    EXPECT_TRUE(WaitUntil([&] { return result.has_value(); }));
    return result.value_or(-1);
}

std::optional<LaunchOutcome> Launch(const QString& program, int waitMs)
{
    std::optional<LaunchOutcome> outcome;
    LaunchProgram(program, {}, waitMs, [&](LaunchOutcome o) { outcome = o; });
    WaitUntil([&] { return outcome.has_value(); });
    return outcome;
}

} // namespace

TEST(DesktopOpener, TheOpenerFirstAndTheWebPageHandlerOnlyWhenItFailsOrIsMissing)
{
    for (int openerStatus : {0, 4}) {
        FakeDesktop desktop;
        desktop.WriteOpener(openerStatus);
        desktop.WriteHandler(0);
        EXPECT_EQ(Open(), kHyperlinkOpened);
        // The target is one argument: no shell ever sees it.
        EXPECT_EQ(desktop.Log(QStringLiteral("open.log")), kTarget + u'\n');
        EXPECT_FALSE(QFile::exists(desktop.Path(QStringLiteral("pwned"))));
        const bool fellBack = openerStatus != 0;
        EXPECT_EQ(desktop.Log(QStringLiteral("mime.log")),
                  fellBack ? QStringLiteral("query\ndefault\ntext/html\n") : QString());
        EXPECT_EQ(desktop.Log(QStringLiteral("browser.log")), fellBack ? kHandlerLog : QString());
        EXPECT_EQ(desktop.Log(QStringLiteral("decoy.log")), QString());
    }

    FakeDesktop noOpener;
    noOpener.WriteHandler(0);
    noOpener.OnlyFakesOnPath();
    EXPECT_EQ(Open(), kHyperlinkOpened);
    EXPECT_EQ(noOpener.Log(QStringLiteral("browser.log")), kHandlerLog);
}

TEST(DesktopOpener, WhenBothFailTheResultIsAFailure)
{
    FakeDesktop desktop;
    desktop.WriteOpener(3);
    desktop.WriteHandler(1);
    EXPECT_EQ(Open(), kHyperlinkBadAssociation);
    EXPECT_EQ(desktop.Log(QStringLiteral("browser.log")), kHandlerLog);
    // Without a handler the opener's failure stands.
    QFile::remove(desktop.Path(QStringLiteral("share/applications/fakebrowser.desktop")));
    EXPECT_EQ(Open(), kHyperlinkNoAssociation);
}

TEST(DesktopOpener, ALauncherStillRunningAfterTheWaitCountsAsStartedAndIsLeftToRun)
{
    FakeDesktop desktop;
    const QString done = desktop.Path(QStringLiteral("slow.done"));
    desktop.WriteProgram(QStringLiteral("slow"), QStringLiteral("slow.log"), 5,
                         QStringLiteral("sleep 3; touch '%1'").arg(done));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Launch(desktop.Path(QStringLiteral("bin/slow")), 100), LaunchOutcome::StillRunning);
    EXPECT_LT(clock.elapsed(), 2500);

    // A quick one is judged by its exit status; one that cannot start says so.
    desktop.WriteProgram(QStringLiteral("quick"), QStringLiteral("quick.log"), 5);
    EXPECT_EQ(Launch(desktop.Path(QStringLiteral("bin/quick")), 5000), LaunchOutcome::Failed);
    desktop.WriteProgram(QStringLiteral("fine"), QStringLiteral("fine.log"), 0);
    EXPECT_EQ(Launch(desktop.Path(QStringLiteral("bin/fine")), 5000), LaunchOutcome::Succeeded);
    EXPECT_EQ(Launch(desktop.Path(QStringLiteral("bin/missing")), 5000),
              LaunchOutcome::FailedToStart);

    EXPECT_TRUE(WaitUntil([&] { return QFile::exists(done); }));
}
