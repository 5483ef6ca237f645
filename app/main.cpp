#include "CommandLineInfo.h"
#include "FontSubstitutions.h"
#include "PageFailureNote.h"
#include "QtTranslations.h"
#include "VELMOR.h"

#include <QApplication>

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    // Answered without a display: the application object would abort without one.
    if (const std::optional<int> status = AnswerInformationRequest(argc, argv, std::cout))
        return *status;
    QApplication application(argc, argv);
    // Wayland desktops find the window's icon and name through its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.velmor.Velmor"));
    InstallFontSubstitutions();
    InstallQtTranslations();
    CVELMORApp app;
    try {
        if (!app.InitInstance())
            return 1;
        return QApplication::exec();
    } catch (...) {
        // Loading and painting handle their own failures; this says why anything else ended
        // the program, rather than aborting without a word.
        const QString cause = DescribeFailure(std::current_exception());
        std::fprintf(stderr, "化学试剂库：%s，程序无法继续运行。\n", cause.toUtf8().constData());
        return 1;
    }
}
