// Started by shell_bench in a folder holding cmc.kdb: starts the program as its main() does and,
// once the page view has been painted for the first time, prints how many nanoseconds after its
// start (VELMOR_SPAWN_NS, on the monotonic clock) main() was entered, the QApplication was up,
// InitInstance() had returned and the first paint was done. Then it quits.

#include "FirstPaintWatch.h"
#include "FontSubstitutions.h"
#include "MainFrm.h"
#include "VELMOR.h"
#include "VELMORView.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    const long long atMain = Now();
    const long long spawned = qEnvironmentVariable("VELMOR_SPAWN_NS").toLongLong();
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    const long long atApplication = Now();
    CVELMORApp app;
    if (!app.InitInstance())
        return 1;
    const long long atInit = Now();
    FirstPaint firstPaint;
    app.MainFrame()->m_pView->viewport()->installEventFilter(&firstPaint);
    QApplication::exec();
    std::printf("%lld %lld %lld %lld\n", atMain - spawned, atApplication - spawned,
                atInit - spawned, firstPaint.doneAt - spawned);
    return 0;
}
