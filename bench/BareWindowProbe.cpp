// The floor of start-up, started by shell_bench beside the program's own probe: a bare window
// with a Chinese label and a list of 100 rows, in the program's fonts, maximised. Prints, as
// velmor_first_paint does, the nanoseconds from its start (VELMOR_SPAWN_NS) to main(), to the
// QApplication, to the window shown and to the end of its first paint. Then it quits.

#include "FirstPaintWatch.h"
#include "FontSubstitutions.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    const long long atMain = Now();
    const long long spawned = qEnvironmentVariable("VELMOR_SPAWN_NS").toLongLong();
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    const long long atApplication = Now();

    QWidget window;
    window.setWindowTitle(QStringLiteral("化学试剂库"));
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(QStringLiteral("软件介绍：本软件收集试剂词条近2万条。"));
    QFont font;
    // Named as the page names its faces.
    font.setFamilies({QFont::substitute(QStringLiteral("Arial")),
                      QFont::substitute(QStringLiteral("宋体"))});
    font.setPixelSize(16);
    label->setFont(font);
    layout->addWidget(label);
    auto* list = new QListWidget;
    for (int i = 0; i < 100; ++i)
        list->addItem(QStringLiteral("试剂 %1").arg(i));
    layout->addWidget(list);
    window.showMaximized();
    const long long atShown = Now();

    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    QApplication::exec();
    std::printf("%lld %lld %lld %lld\n", atMain - spawned, atApplication - spawned,
                atShown - spawned, firstPaint.doneAt - spawned);
    return 0;
}
