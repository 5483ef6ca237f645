#include "Arguments.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "PageCommands.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <iostream>

int TextCommand(CommandArguments args)
{
    const Arguments arguments(args, {"--width"});
    const std::vector<std::string>& given = arguments.positional({"FILE", "NAME"});
    // Only the width can change the page; the height is the one render takes by default.
    const QSize client(static_cast<int>(arguments.numberOption("--width", 800, 1, kMaxClientSide)),
                       600);
    const std::string name = PageNameArgument(given[1]);

    CVELMORDoc doc;
    if (!LoadForReading(doc, given[0]))
        return kExitFailure;
    const std::unique_ptr<QApplication> app = StartQt();
    CVELMORView view(doc);
    view.SetInitialScrollSizes();
    doc.SetCurrentName(name);
    bool found = false;
    std::cout << view.PageText(client, &found) << std::flush;
    return found ? kExitSuccess : kExitFailure;
}
