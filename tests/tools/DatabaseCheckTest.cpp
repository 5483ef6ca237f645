#include "DatabaseCheck.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> formatted(const std::vector<Finding>& findings)
{
    std::vector<std::string> lines;
    for (const Finding& finding : findings)
        lines.push_back(FormatFinding(finding));
    return lines;
}

TEST(DatabaseCheckTest, EachPictureIsInspectedOnceAndReportedForEveryRecord)
{
    CVELMORDoc doc;
    loadRecords(doc, {reagent("a", {{Field::StructureImage, "same.png"}}),
                      reagent("b", {{Field::StructureImage, "same.png"}}),
                      reagent("c", {{Field::StructureImage, "fine.png"}}), reagent("d")});
    std::vector<std::string> asked;
    const std::vector<Finding> findings =
        CheckRecords(doc, [&](const std::string& path) -> std::optional<std::string> {
            asked.push_back(path);
            if (path == "fine.png")
                return std::nullopt;
            return "坏了";
        });
    EXPECT_THAT(asked, ElementsAre("same.png", "fine.png"));
    EXPECT_THAT(formatted(findings),
                ElementsAre("错误：第 1 条记录“a”：结构式图片“same.png”：坏了。",
                            "错误：第 2 条记录“b”：结构式图片“same.png”：坏了。"));
}

TEST(DatabaseCheckTest, WeightsAreCheckedOnlyWhenBothFieldsHoldSomething)
{
    CVELMORDoc doc;
    loadRecords(
        doc,
        {reagent("a", {{Field::Formula, "H2O"}}), reagent("b", {{Field::MolecularWeight, "18.02"}}),
         reagent("c", {{Field::Formula, "H<sub>2</sub>O"}, {Field::MolecularWeight, "18.02"}}),
         reagent("d", {{Field::Formula, "H2O"}, {Field::MolecularWeight, gbkOf("约18")}}),
         reagent("e", {{Field::Formula, "H2O"}, {Field::MolecularWeight, "20.02"}})});
    const std::vector<Finding> findings = CheckRecords(doc, {});
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].severity, Finding::Severity::Warning);
    EXPECT_EQ(findings[0].name, "d");
    EXPECT_THAT(findings[0].message, HasSubstr("“约18”不是一个数"));
    EXPECT_EQ(findings[1].severity, Finding::Severity::Error);
    EXPECT_EQ(findings[1].record, 4);
}

TEST(DatabaseCheckTest, NamesOfRecordsAreShownAsUtf8)
{
    CVELMORDoc doc;
    loadRecords(doc, {reagent(gbkOf("乙醇"), {{Field::CasNumber, "64-17-6"}}),
                      reagent("\x81", {{Field::CasNumber, "64-17-6"}})});
    EXPECT_THAT(formatted(CheckRecords(doc, {})),
                ElementsAre(HasSubstr("第 1 条记录“乙醇”"), HasSubstr("第 2 条记录“\uFFFD”")));
}

TEST(DatabaseCheckTest, LayoutFindings)
{
    LoadSummary exact{3, 3, 100, 100};
    EXPECT_THAT(CheckLayout(exact, "a.kdb"), IsEmpty());

    LoadSummary trailing{3, 3, 100, 107};
    EXPECT_THAT(formatted(CheckLayout(trailing, "a.kdb")),
                ElementsAre(HasSubstr("“a.kdb”在最后一条记录之后还有 7 字节")));

    // The records the program cannot hold are not reported again as trailing bytes.
    LoadSummary tooMany{60000, 50000, 1000, 5000};
    EXPECT_THAT(formatted(CheckLayout(tooMany, "a.kdb")), ElementsAre(HasSubstr("60000")));
}

} // namespace
