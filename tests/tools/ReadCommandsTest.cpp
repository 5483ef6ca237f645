// info, dump and search, run as a process on database files written by the test.

#include "TestDatabase.h"
#include "ToolProcess.h"
#include "Version.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

using ::testing::HasSubstr;

namespace {

class ReadCommandsTest : public ToolTest
{
protected:
    void SetUp() override
    {
        m_Names = {gbkOf("氯化钠"), gbkOf("水"), gbkOf("乙醇"), gbkOf("葡萄糖")};
        m_Use = gbkOf("用作溶剂，\"无水\"级\n第二行");
        std::vector<ReagentRecord> records = {
            reagent(m_Names[0], {{Field::CasNumber, "7647-14-5"}, {Field::Formula, "NaCl"}}),
            reagent(m_Names[1], {{Field::CasNumber, "7732-18-5"},
                                 {Field::Formula, "H<sub>2</sub>O"},
                                 {Field::EnglishName, "Water"}}),
            reagent(m_Names[2], {{Field::CasNumber, "64-17-5"}, {Field::Use, m_Use}}),
            reagent("", {{Field::EnglishName, "water-free"}}),
            reagent(m_Names[3], {{Field::Formula, "C<sub>6</sub>H<sub>12</sub>O<sub>6</sub>"},
                                 {Field::Alias, m_BadBytes}}),
            reagent("Z\x81", {{Field::EnglishName, "lone lead byte"}}),
        };
        records[0].LeadInt1 = -7;
        records[0].LeadInt2 = 2147483647;
        writeFile("cmc.kdb", databaseBytes(records));
    }

    std::vector<std::string> m_Names;
    std::string m_Use;
    std::string m_BadBytes = "A\x81\x20Z"; // a lead byte followed by a space does not decode
};

TEST_F(ReadCommandsTest, InfoStartsWithTheRecordCount)
{
    const ToolRun run = runTool({"info", path("cmc.kdb")});
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(linesOf(run.out)[0], "records: 6");
    EXPECT_THAT(run.out, HasSubstr("file size: " + std::to_string(readFile("cmc.kdb").size())));
    EXPECT_THAT(run.out, HasSubstr("longest field: Use of record 3 “乙醇”"));
    EXPECT_EQ(run.err, "");
}

TEST_F(ReadCommandsTest, DumpJsonLinesHoldEveryFieldInFileOrder)
{
    const ToolRun run = runTool({"dump", path("cmc.kdb")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 6u);

    // Keys come in file order.
    std::size_t at = 0;
    for (std::string_view name : kFieldNames) {
        const std::size_t next = lines[0].find("\"" + std::string(name) + "\":", at);
        ASSERT_NE(next, std::string::npos) << name;
        at = next;
    }
    EXPECT_THAT(lines[0], HasSubstr("{\"LeadInt1\":-7,\"LeadInt2\":2147483647,"));

    std::vector<QJsonObject> objects;
    for (const std::string& line : lines) {
        QJsonParseError error;
        const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        objects.push_back(json.object());
    }
    EXPECT_EQ(objects[0]["ChineseName"].toString(), QStringLiteral("氯化钠"));
    EXPECT_EQ(objects[1]["Formula"].toString(), QStringLiteral("H2O")); // markers removed
    EXPECT_EQ(objects[2]["Use"].toString(), QStringLiteral("用作溶剂，\"无水\"级\n第二行"));
    EXPECT_EQ(objects[3]["ChineseName"].toString(), QString());
    EXPECT_EQ(objects[4]["Alias"].toString(), QStringLiteral("A\uFFFD Z"));
}

TEST_F(ReadCommandsTest, DumpCsvHasTheHeaderAndQuotesWhereNeeded)
{
    const ToolRun run = runTool({"dump", path("cmc.kdb"), "--format", "csv"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("LeadInt1,LeadInt2,ChineseName,EnglishName,Alias,CasNumber,"));
    EXPECT_THAT(run.out, HasSubstr("\r\n-7,2147483647,氯化钠,,,7647-14-5,,NaCl,"));
    EXPECT_THAT(run.out, HasSubstr(",\"用作溶剂，\"\"无水\"\"级\n第二行\","));
    EXPECT_EQ(runTool({"dump", path("cmc.kdb"), "--format=csv"}).out, run.out);
}

TEST_F(ReadCommandsTest, SearchPrintsTheMatchingNamesInStoreOrder)
{
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "formula", "H2O"}).out, "水\n");
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "cas", "-1"}).out, "氯化钠\n水\n乙醇\n");
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "chinese", "乙醇"}).out, "乙醇\n");
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "use", "无水"}).out, "乙醇\n");
    // Case counts, and an empty name prints as an empty line.
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "english", "ater"}).out, "水\n\n");
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "english", "WATER"}).out, "");
    EXPECT_EQ(runTool({"search", path("cmc.kdb"), "english", "lone"}).out, "Z\uFFFD\n");

    const ToolRun none = runTool({"search", path("cmc.kdb"), "chinese", "钾"});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "");
}

TEST_F(ReadCommandsTest, WrongUsageExitsWithTwoAndPrintsNothing)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"search", path("cmc.kdb"), "name", "水"},                  // unknown kind
        {"search", path("cmc.kdb"), "chinese", ""},                 // empty query
        {"search", path("cmc.kdb"), "chinese", "\xF0\x9F\x98\x80"}, // no code page 936 form
        {"search", path("cmc.kdb"), "chinese", "\xFF"},             // not UTF-8
        {"search", path("cmc.kdb"), "chinese"},                     // missing argument
        {"search", "missing.kdb", "nonsense", "x"}, // usage is checked before the file
        {"dump", path("cmc.kdb"), "--format", "xml"},
        {"dump", path("cmc.kdb"), "--format"},
        {"dump", path("cmc.kdb"), "--colour", "red"},
        {"info"},
        {"info", path("cmc.kdb"), "extra"},
        {"frobnicate", path("cmc.kdb")},
        {},
    };
    for (const auto& args : wrong) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2) << (args.empty() ? "" : args[0]) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_THAT(run.err, HasSubstr("用法"));
    }
    EXPECT_THAT(runTool({"search", path("cmc.kdb"), "chinese", "\xF0\x9F\x98\x80"}).err,
                HasSubstr("U+1F600"));
}

TEST_F(ReadCommandsTest, HelpListsEveryCommandAndVersionPrintsTheVersion)
{
    const ToolRun run = runTool({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* command : {"info", "dump", "search", "build", "check", "synth"})
        EXPECT_THAT(run.out, HasSubstr(std::string("velmor-kdb ") + command + " ")) << command;
    const ToolRun one = runTool({"search", "--help"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_THAT(one.out, HasSubstr("velmor-kdb search FILE KIND QUERY"));
    const ToolRun version = runTool({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("velmor-kdb ") + kVelmorVersion + "\n");
}

TEST_F(ReadCommandsTest, FilesThatCannotBeLoadedExitWithOne)
{
    const std::string whole = readFile("cmc.kdb");
    writeFile("truncated.kdb", whole.substr(0, whole.size() - 3));
    writeFile("short.kdb", "\x01\x00");
    writeFile("negative.kdb", "\xFF\xFF\xFF\xFF" + whole.substr(4));
    std::filesystem::create_directory(path("folder.kdb"));
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"missing.kdb", "找不到"},  {"truncated.kdb", "不完整"}, {"short.kdb", "不完整"},
        {"negative.kdb", "已损坏"}, {"folder.kdb", "目录"},
    };
    for (const auto& [name, problem] : broken) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"info", path(name)},
                                                     {"dump", path(name)},
                                                     {"search", path(name), "chinese", "水"}}) {
            const ToolRun run = runTool(args);
            EXPECT_EQ(run.exitCode, 1) << name;
            EXPECT_EQ(run.out, "") << name;
            EXPECT_THAT(run.err, HasSubstr(name)) << name;
            EXPECT_THAT(run.err, HasSubstr(problem)) << name;
        }
    }
}

} // namespace
