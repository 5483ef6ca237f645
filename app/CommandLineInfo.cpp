#include "CommandLineInfo.h"

#include "Version.h"

#include <string_view>

std::optional<int> AnswerInformationRequest(int argc, const char* const* argv, std::ostream& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") {
            out << "velmor " << kVelmorVersion << '\n';
            return 0;
        }
        if (arg == "--help" || arg == "-h") {
            out << "用法：velmor [Qt 的选项]\n\n"
                   "化学试剂库：从当前目录读入试剂数据库 cmc.kdb，按中英文名称、CAS "
                   "号、用途或化学式"
                   "查阅化学试剂。\n\n"
                   "  --help     显示本说明\n"
                   "  --version  显示版本\n\n"
                   "Qt 的选项照常可用，如 -platform wayland、-style windows。\n";
            return 0;
        }
    }
    return std::nullopt;
}
