#include "Arguments.h"
#include "Commands.h"
#include "PageCommands.h"

#include <iostream>

int TextCommand(CommandArguments args)
{
    const Arguments arguments(args, {"--width"});
    const std::vector<std::string>& given = arguments.positional({"FILE", "NAME"});
    // Only the width can change the page; the height is the one render takes by default.
    const QSize client(static_cast<int>(arguments.numberOption("--width", 800, 1, kMaxClientSide)),
                       600);
    FilePageView page(given[0], given[1]);
    if (!page.Loaded())
        return kExitFailure;
    bool found = false;
    std::cout << page.View().PageText(client, &found) << std::flush;
    return found ? kExitSuccess : kExitFailure;
}
