#include "FontSubstitutions.h"
#include "QtTranslations.h"
#include "VELMOR.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // Wayland desktops find the window's icon and name through its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.velmor.Velmor"));
    InstallFontSubstitutions();
    InstallQtTranslations();
    CVELMORApp app;
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}
