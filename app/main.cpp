#include "FontSubstitutions.h"
#include "QtTranslations.h"
#include "VELMOR.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallFontSubstitutions();
    InstallQtTranslations();
    CVELMORApp app;
    if (!app.InitInstance())
        return 1;
    return QApplication::exec();
}
