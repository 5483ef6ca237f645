#include "PageCommands.h"

#include "Arguments.h"
#include "FontSubstitutions.h"
#include "TextEdge.h"

std::unique_ptr<QApplication> StartQt()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmor-kdb";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QApplication>(argc, argv);
    InstallFontSubstitutions();
    return app;
}

std::string PageNameArgument(const std::string& utf8)
{
    EncodingProblem problem;
    const std::optional<std::string> name = toDatabaseText(utf8, &problem);
    if (!name)
        throw UsageError("名称中的" + problem.describe() +
                         "无法用代码页 936 表示，数据库中不可能有它。");
    return *name;
}
