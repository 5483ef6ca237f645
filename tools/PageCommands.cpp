#include "PageCommands.h"

#include "Arguments.h"
#include "CommandSupport.h"
#include "FontSubstitutions.h"
#include "TextEdge.h"

#include <QFileInfo>

namespace {

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

} // namespace

FilePageView::FilePageView(const std::string& path, const std::string& name)
{
    EncodingProblem problem;
    const std::optional<std::string> page = toDatabaseText(name, &problem);
    if (!page)
        throw UsageError("名称中的" + problem.describe() +
                         "无法用代码页 936 表示，数据库中不可能有它。");
    if (!LoadForReading(m_Doc, path))
        return;
    m_App = StartQt();
    m_View = std::make_unique<CVELMORView>(m_Doc);
    m_View->SetInitialScrollSizes();
    m_View->SetPictureDirectory(QFileInfo(QString::fromStdString(path)).absoluteDir());
    m_Doc.SetCurrentName(*page);
}
