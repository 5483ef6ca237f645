#include "Arguments.h"
#include "AtomicFile.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "FontSubstitutions.h"
#include "Messages.h"
#include "PageLayout.h"
#include "TextEdge.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>

#include <memory>

namespace {

constexpr std::uint64_t kMaxClientSide = 16384;

/// The view needs a widget application; the tool draws offscreen unless told otherwise.
std::unique_ptr<QApplication> startQt()
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

int RenderCommand(CommandArguments args)
{
    const Arguments arguments(args, {"-o", "--width", "--height"});
    const std::vector<std::string>& given = arguments.positional({"FILE", "NAME"});
    const std::string output = arguments.requiredOption("-o");
    const QSize client(
        static_cast<int>(arguments.numberOption("--width", 800, 1, kMaxClientSide)),
        static_cast<int>(arguments.numberOption("--height", 600, 1, kMaxClientSide)));
    EncodingProblem problem;
    const std::optional<std::string> name = toDatabaseText(given[1], &problem);
    if (!name)
        throw UsageError("名称中的" + problem.describe() +
                         "无法用代码页 936 表示，数据库中不可能有它。");

    CVELMORDoc doc;
    if (!LoadForReading(doc, given[0]))
        return kExitFailure;
    const std::unique_ptr<QApplication> app = startQt();
    CVELMORView view(doc);
    view.SetInitialScrollSizes();
    // Picture paths in the database are relative to the directory the program runs in, which
    // is the database's own.
    view.SetPictureDirectory(QFileInfo(QString::fromStdString(given[0])).absoluteDir());
    doc.SetCurrentName(*name);
    const QImage image = view.RenderPage(client);
    if (image.height() < view.TotalSize().height()) {
        printMessage("页面高 " + std::to_string(view.TotalSize().height()) +
                     " 像素，图片只保留了前 " + std::to_string(image.height()) + " 像素。");
    }

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw CommandError("无法把页面编码为 PNG。");
    AtomicFile file(output);
    file.stream().write(png.constData(), png.size());
    file.commit();
    return kExitSuccess;
}
