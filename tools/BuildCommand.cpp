#include "Arguments.h"
#include "AtomicFile.h"
#include "Commands.h"
#include "CsvImport.h"
#include "InputFile.h"
#include "Messages.h"

#include <sstream>

int BuildCommand(CommandArguments args)
{
    const Arguments arguments(args, {"-o"});
    const std::string& input = arguments.positional({"INPUT.csv"})[0];
    const std::string output = arguments.requiredOption("-o");

    const std::string csv = ReadInputFile(input);
    const std::string sourceName = input == "-" ? "标准输入" : input;
    // The database is composed in memory first, so that a fault in the CSV leaves no trace.
    std::ostringstream database;
    const CsvImport result = ImportCsv(csv, sourceName, database);
    if (!result.ignoredColumns.empty()) {
        std::string names;
        for (const std::string& name : result.ignoredColumns)
            names += (names.empty() ? "" : "、") + (name.empty() ? "（没有名字的列）" : name);
        printMessage("注意：" + quoted(sourceName) + "中的这些列不是数据库的字段，已忽略：" +
                     names + "。");
    }
    AtomicFile file(output);
    file.stream() << database.view();
    file.commit();
    printMessage("已把 " + std::to_string(result.records) + " 条记录写入" + quoted(output) + "。");
    return kExitSuccess;
}
