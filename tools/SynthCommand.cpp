#include "Arguments.h"
#include "AtomicFile.h"
#include "Commands.h"
#include "Messages.h"
#include "SyntheticDatabase.h"

#include <limits>

namespace {

/// Enough for any test of the program's limit of 50000, small enough that a slip of the
/// finger does not fill the disk.
constexpr std::uint64_t kMaxSyntheticRecords = 1000000;

} // namespace

int SynthCommand(CommandArguments args)
{
    const Arguments arguments(args, {"--count", "--seed", "-o"});
    arguments.positional({});
    arguments.requiredOption("--count");
    const std::uint64_t count = arguments.numberOption("--count", 0, 0, kMaxSyntheticRecords);
    const std::uint64_t seed =
        arguments.numberOption("--seed", 1, 0, std::numeric_limits<std::uint64_t>::max());
    const std::string output = arguments.requiredOption("-o");

    AtomicFile file(output);
    WriteSyntheticDatabase(file.stream(), static_cast<std::int64_t>(count), seed);
    file.commit();
    printMessage("已把 " + std::to_string(count) + " 条合成记录写入" + quoted(output) + "。");
    return kExitSuccess;
}
