// velmor-dock-demo: the sizing bars docked in rows, dragged by their edges and floating.
// With --marker an edge drag shows a marker and the layout changes when the drag ends.
#include "DockDemoFrame.h"
#include "FontSubstitutions.h"
#include "QtTranslations.h"
#include "SystemParameters.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    // The editors' context menus in Chinese, as in the program.
    InstallQtTranslations();
    // The demonstration keeps its layout in settings of its own, not the program's.
    QCoreApplication::setOrganizationName(QStringLiteral("VELMOR"));
    QCoreApplication::setApplicationName(QStringLiteral("velmor-dock-demo"));
    if (QApplication::arguments().contains(QStringLiteral("--marker")))
        SetDragFullWindows(false);
    DockDemoFrame frame;
    frame.show();
    frame.PlaceFloatingBar();
    return QApplication::exec();
}
