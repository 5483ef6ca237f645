#pragma once

#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <string>
#include <vector>

/// What a run of velmor-kdb did.
struct ToolRun
{
    int exitCode = -1;
    std::string out; ///< standard output
    std::string err; ///< standard error
};

/// Runs velmor-kdb with `args` in `workingDirectory` (the test's own when empty), with
/// `input` on its standard input.
ToolRun runTool(const std::vector<std::string>& args, const std::string& workingDirectory = {},
                const std::string& input = {});

/// A test with a fresh directory for its files.
class ToolTest : public ::testing::Test
{
protected:
    /// The path of `name` in the test's directory.
    std::string path(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;
    std::string readFile(const std::string& name) const;
    /// The names of the files in the test's directory, sorted.
    std::vector<std::string> fileNames() const;

    QTemporaryDir m_Dir;
};

/// The lines of a text, without their line breaks.
std::vector<std::string> linesOf(const std::string& text);
