#include "Arguments.h"
#include "AtomicFile.h"
#include "Commands.h"
#include "Messages.h"
#include "PageCommands.h"

#include <QBuffer>

int RenderCommand(CommandArguments args)
{
    const Arguments arguments(args, {"-o", "--width", "--height"});
    const std::vector<std::string>& given = arguments.positional({"FILE", "NAME"});
    const std::string output = arguments.requiredOption("-o");
    const QSize client(
        static_cast<int>(arguments.numberOption("--width", 800, 1, kMaxClientSide)),
        static_cast<int>(arguments.numberOption("--height", 600, 1, kMaxClientSide)));
    FilePageView page(given[0], given[1]);
    if (!page.Loaded())
        return kExitFailure;
    CVELMORView& view = page.View();
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
