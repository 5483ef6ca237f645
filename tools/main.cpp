// velmor-kdb: builds, checks, dumps and searches VELMOR database files.

#include "Arguments.h"
#include "Commands.h"
#include "Messages.h"
#include "Version.h"

#include <array>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Command
{
    std::string_view name;
    std::string_view arguments; ///< as the usage shows them
    std::string_view summary;   ///< one line, Chinese
    int (*run)(CommandArguments);
};

// One line per command; the usage text is made from this table.
constexpr std::array kCommands = std::to_array<Command>({
    {"info", "FILE", "读入数据库，第一行打印 records: N，然后是文件大小、文本字节数和最长的字段",
     InfoCommand},
    {"dump", "FILE [--format jsonl|csv]",
     "按存储顺序打印每条记录：jsonl（默认）每行一个 JSON 对象，csv 带表头", DumpCommand},
    {"search", "FILE KIND QUERY",
     "打印与程序相同的检索结果（中文名称，每行一个）；KIND 为 chinese、english、cas、use、formula",
     SearchCommand},
    {"find", "FILE QUERY [--json]",
     "综合检索：名称、别名、拼音（全拼或首字母）、英文名称、CAS 号（可不带连字符）、化学式和用途，"
     "不分大小写和全角半角；按匹配程度排序，每行一条：记录序号（从 1 起）、中文名称、匹配的字段，"
     "以制表符分隔；--json 时每行一个 JSON 对象；没有找到时退出状态为 1",
     FindCommand},
    {"build", "INPUT.csv -o FILE",
     "由 UTF-8 的 CSV（表头为字段名）生成数据库；INPUT 为 - 时读标准输入", BuildCommand},
    {"check", "FILE", "检查数据库并逐条列出问题，最后一行是汇总；有错误时退出状态为 1",
     CheckCommand},
    {"synth", "--count N [--seed S] -o FILE", "生成 N 条确定的合成记录，用于性能和规模测试",
     SynthCommand},
    {"render", "FILE NAME -o OUT.png [--width W] [--height H]",
     "用程序自己的画法把名为 NAME 的试剂页（firstpage 为首页）画成 PNG；客户区默认 800x600，"
     "长页面整页画出；图片路径相对于 FILE 所在的目录",
     RenderCommand},
    {"text", "FILE NAME [--width W]",
     "打印名为 NAME 的页面上的文字（UTF-8，与程序的“复制本页文字”相同）；数据库中没有这个名称时"
     "打印“没有找到”页的文字，退出状态为 1",
     TextCommand},
});

const Command* findCommand(std::string_view name)
{
    for (const Command& command : kCommands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

std::string usageLine(const Command& command)
{
    return "velmor-kdb " + std::string(command.name) + " " + std::string(command.arguments);
}

void printUsage(std::ostream& out)
{
    out << "用法：velmor-kdb 命令 参数…\n\n";
    for (const Command& command : kCommands)
        out << "  " << usageLine(command) << "\n      " << command.summary << '\n';
    out << "\n命令行和标准输出都是 UTF-8；消息写到标准错误。\n"
           "退出状态：0 成功；1 数据库无法读入、文件无法读写、check 发现错误、text "
           "的名称不在数据库中或 find 没有找到；\n"
           "2 用法错误。\n"
           "velmor-kdb --help 显示本说明，velmor-kdb 命令 --help 显示该命令的用法，"
           "velmor-kdb --version 显示版本。\n";
}

bool isHelp(std::string_view arg)
{
    return arg == "--help" || arg == "-h";
}

int run(const std::vector<std::string>& args)
{
    if (args.empty()) {
        printMessage("缺少命令。");
        printUsage(std::cerr);
        return kExitUsage;
    }
    if (isHelp(args[0]) || args[0] == "help") {
        printUsage(std::cout);
        return kExitSuccess;
    }
    if (args[0] == "--version") {
        std::cout << "velmor-kdb " << kVelmorVersion << '\n';
        return kExitSuccess;
    }
    const Command* command = findCommand(args[0]);
    if (!command) {
        printMessage("未知的命令" + quoted(args[0]) + "。");
        printUsage(std::cerr);
        return kExitUsage;
    }
    const CommandArguments rest = CommandArguments(args).subspan(1);
    if (rest.size() == 1 && isHelp(rest[0])) {
        std::cout << "用法：" << usageLine(*command) << "\n  " << command->summary << '\n';
        return kExitSuccess;
    }
    try {
        return command->run(rest);
    } catch (const UsageError& error) {
        printMessage(error.what());
        std::cerr << "用法：" << usageLine(*command) << '\n';
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        printMessage("内存不足。");
        return kExitFailure;
    } catch (const std::exception& error) {
        printMessage(error.what());
        return kExitFailure;
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const int status = run(std::vector<std::string>(argv + 1, argv + argc));
    if (!std::cout.flush()) {
        printMessage("无法写出标准输出。");
        return kExitFailure;
    }
    return status;
}
