#include "ToolProcess.h"

#include <QProcess>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

ToolRun runTool(const std::vector<std::string>& args, const std::string& workingDirectory,
                const std::string& input)
{
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    QProcess process;
    if (!workingDirectory.empty())
        process.setWorkingDirectory(QString::fromStdString(workingDirectory));
    process.start(QStringLiteral(VELMOR_KDB), arguments);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    ToolRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::string ToolTest::path(const std::string& name) const
{
    return m_Dir.filePath(QString::fromStdString(name)).toStdString();
}

void ToolTest::writeFile(const std::string& name, const std::string& bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(path(name)).parent_path());
    std::ofstream(path(name), std::ios::binary) << bytes;
}

std::string ToolTest::readFile(const std::string& name) const
{
    std::ifstream in(path(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> ToolTest::fileNames() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_Dir.path().toStdString()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
