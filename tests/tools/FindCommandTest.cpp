// The forgiving search on the sample database that the package ships: the queries people type,
// each with the record it must list first; and velmor-kdb find, run as a process, listing what
// the search lists.

#include "CsvImport.h"
#include "DatabaseFile.h"
#include "FindMatching.h"
#include "Gbk.h"
#include "ToolProcess.h"
#include "VELMORDoc.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <fstream>
#include <memory>
#include <sstream>

using ::testing::HasSubstr;

namespace {

class FindCommandTest : public ToolTest
{
protected:
    static void SetUpTestSuite()
    {
        std::ifstream csv(VELMOR_SAMPLE_CSV, std::ios::binary);
        std::ostringstream text;
        text << csv.rdbuf();
        std::ostringstream database;
        ImportCsv(text.str(), "reagents.csv", database);
        s_Database = database.str();
        LoadDatabaseBytes(s_Doc, s_Database, "cmc.kdb");
        s_Forms = std::make_unique<FindForms>(s_Doc);
    }
    static void TearDownTestSuite() { s_Forms.reset(); }

    void SetUp() override { writeFile("cmc.kdb", s_Database); }

    ToolRun find(const std::string& query) { return runTool({"find", path("cmc.kdb"), query}); }

    /// What the command should print for `query`: the search's matches, one line each.
    static std::string lines(const std::string& query)
    {
        std::string out;
        for (const FindMatch& match : FindRecords(*s_Forms, query).matches)
            out += std::to_string(match.record + 1) + '\t' +
                   gbk::toUtf8(s_Doc.RecordName(match.record)) + '\t' +
                   std::string(FindFieldLabel(match.field)) + '\n';
        return out;
    }

    static inline std::string s_Database;
    static inline CVELMORDoc s_Doc;
    static inline std::unique_ptr<FindForms> s_Forms;
};

} // namespace

TEST_F(FindCommandTest, TheSampleDatabaseListsFirstWhatPeopleMean)
{
    // Record number (from 1), Chinese name and the field that matched.
    const std::vector<std::pair<std::string, std::string>> table = {
        {"乙醇", "2\t乙醇\t名称"},         // a name
        {" 丙酮 ", "18\t丙酮\t名称"},      // blanks around it
        {"酒精", "2\t乙醇\t别名"},         // names people say
        {"木精", "1\t甲醇\t别名"},         //
        {"yichun", "2\t乙醇\t拼音"},       // pinyin, together
        {"yi chun", "2\t乙醇\t拼音"},      // or apart
        {"bingtong", "18\t丙酮\t拼音"},    //
        {"yc", "2\t乙醇\t拼音"},           // initials
        {"lhn", "136\t氯化钠\t拼音"},      //
        {"l-bing", "381\tL-丙氨酸\t拼音"}, // Latin letters in a name
        {"ETHANOL", "2\t乙醇\t英文名称"},  // English names in any case
        {"acetone", "18\t丙酮\t英文名称"}, //
        {"Sodium Chloride", "136\t氯化钠\t英文名称"},
        {"64175", "2\t乙醇\tCAS号"},           // CAS numbers without dashes
        {"64-17-5", "2\t乙醇\tCAS号"},         // and with them
        {"-17-5", "2\t乙醇\tCAS号"},           //
        {"CuSO4·5H2O", "165\t硫酸铜\t化学式"}, // an adduct with "·"
        {"CuSO4.5H2O", "165\t硫酸铜\t化学式"}, // or with "."
        {"C₂H₅OH", "2\t乙醇\t化学式"},         // subscript digits
        {"ＨＣｌ", "69\t盐酸\t化学式"},        // full-width letters
        {"消毒", "2\t乙醇\t用途"},             // a use
    };
    for (const auto& [query, first] : table)
        EXPECT_EQ(linesOf(lines(query)).at(0), first) << query;
}

TEST_F(FindCommandTest, TheCommandListsWhatTheSearchLists)
{
    for (const char* query : {"yichun", "ETHANOL", "64175", "酒精", "-17-5"}) {
        const ToolRun run = find(query);
        EXPECT_EQ(run.exitCode, 0) << query;
        EXPECT_EQ(run.out, lines(query)) << query;
        EXPECT_EQ(run.err, "") << query;
    }
}

TEST_F(FindCommandTest, AWrongCheckDigitIsNamedAndNothingFoundExitsWithOne)
{
    const ToolRun run = find("64-17-4");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("CAS 号校验位不符，应为 5"));
    for (const char* nothing : {"没有这种试剂", "\xF0\x9F\x98\x80", "\xFF"}) {
        const ToolRun none = find(nothing);
        EXPECT_EQ(none.exitCode, 1) << nothing;
        EXPECT_EQ(none.out, "") << nothing;
    }
}

TEST_F(FindCommandTest, JsonGivesOneObjectPerLineInRankOrder)
{
    const ToolRun run = runTool({"find", "--json", path("cmc.kdb"), "yichun"});
    ASSERT_EQ(run.exitCode, 0);
    const std::vector<std::string> lines = linesOf(run.out);
    EXPECT_EQ(lines.size(), linesOf(find("yichun").out).size());
    const QJsonObject first =
        QJsonDocument::fromJson(QByteArray::fromStdString(lines.at(0))).object();
    EXPECT_EQ(first.value("record").toInt(), 2);
    EXPECT_EQ(first.value("name").toString(), QStringLiteral("乙醇"));
    EXPECT_EQ(first.value("field").toString(), QStringLiteral("拼音"));
    for (const std::string& line : lines)
        EXPECT_FALSE(QJsonDocument::fromJson(QByteArray::fromStdString(line)).isNull()) << line;
}

TEST_F(FindCommandTest, WrongUseExitsWithTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"find", path("cmc.kdb"), "   "},
             {"find", path("cmc.kdb")},
             {"find", path("cmc.kdb"), "a", "b"},
             {"find", "--json", "--json", path("cmc.kdb"), "a"},
         }) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_THAT(run.err, HasSubstr("用法"));
    }
    EXPECT_THAT(runTool({"--help"}).out, HasSubstr("velmor-kdb find FILE QUERY [--json]"));
    EXPECT_EQ(runTool({"find", path("missing.kdb"), "a"}).exitCode, 1);
}
