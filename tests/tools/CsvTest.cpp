#include "Csv.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::vector<std::vector<std::string>> readAll(std::string_view text)
{
    CsvReader reader(text);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    while (reader.next(fields))
        records.push_back(fields);
    return records;
}

TEST(CsvTest, QuotedFieldsHoldCommasQuotesAndLineBreaks)
{
    EXPECT_THAT(readAll("a,\"b,c\",\"say \"\"hi\"\"\",\"two\r\nlines\",,\" x \"\r\nlast, y "),
                ElementsAre(ElementsAre("a", "b,c", "say \"hi\"", "two\r\nlines", "", " x "),
                            ElementsAre("last", " y ")));
}

TEST(CsvTest, AnyLineBreakEndsARecord)
{
    EXPECT_THAT(readAll("a\r\nb\nc\rd\n"), ElementsAre(ElementsAre("a"), ElementsAre("b"),
                                                       ElementsAre("c"), ElementsAre("d")));
    EXPECT_THAT(readAll("a,\n"), ElementsAre(ElementsAre("a", "")));
    EXPECT_THAT(readAll(""), ElementsAre());
}

TEST(CsvTest, RecordsKnowTheirLine)
{
    CsvReader reader("h\n\"1\n2\r\n3\"\nnext\n");
    std::vector<std::string> fields;
    ASSERT_TRUE(reader.next(fields));
    ASSERT_TRUE(reader.next(fields));
    EXPECT_EQ(reader.recordLine(), 2u);
    ASSERT_TRUE(reader.next(fields));
    EXPECT_EQ(fields[0], "next");
    EXPECT_EQ(reader.recordLine(), 5u);
    EXPECT_EQ(reader.recordNumber(), 3u);
}

TEST(CsvTest, BrokenQuotingIsReportedWithItsLine)
{
    const std::vector<std::pair<const char*, std::size_t>> broken = {
        {"a\n\"open\nstill open", 2},
        {"a\nb\n\"closed\"too early", 3},
        {"a\nun\"quoted", 2},
    };
    for (const auto& [text, line] : broken) {
        try {
            readAll(text);
            ADD_FAILURE() << text;
        } catch (const CsvError& error) {
            EXPECT_EQ(error.line(), line) << text;
            EXPECT_THAT(error.what(), HasSubstr("第 " + std::to_string(line) + " 行"));
        }
    }
}

TEST(CsvTest, WrittenFieldsReadBackUnchanged)
{
    const std::vector<std::string> fields = {"plain",  "",     "a,b", "\"",        "x\"y\"",
                                             "l1\nl2", "cr\r", " ",   "中文，逗号"};
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty())
            line += ',';
        appendCsvField(line, field);
    }
    EXPECT_THAT(readAll(line), ElementsAre(fields));
    std::string plain;
    appendCsvField(plain, "no quotes needed");
    EXPECT_EQ(plain, "no quotes needed");
}

} // namespace
