// What the loader makes of the texts a database file holds: strings stored as UTF-16, and the
// formula markers.

#include "ArchiveWriter.h"
#include "DatabaseFile.h"
#include "Matching.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

std::string utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

TEST(LoaderEncoding, RecordsStoredAsUtf16AreHeldInCodePage936AndFound)
{
    // The first record's texts are all stored as UTF-16, in every length form; the second
    // record, stored as code page 936, must start where the first one ends.
    const std::map<Field, std::u16string> wide = {
        {Field::ChineseName, u"乙醇"},
        {Field::EnglishName, u"Ethanol"},
        {Field::CasNumber, u"64-17-5"},
        {Field::Formula, u"C<sub>2</sub>H<sub>6</sub>O"},
        {Field::Use, u"溶剂，消毒"},
        {Field::Remarks, u"备注\U0001F600"}, // no code page 936 form: becomes "?"
        {Field::Storage, std::u16string(300, u'阴')},
    };
    std::ostringstream out;
    ArchiveWriter writer(out);
    writer.writeInt32(2);
    writer.writeInt32(7);
    writer.writeInt32(-7);
    for (int t = 0; t < kTextFieldCount; ++t) {
        const auto it = wide.find(textField(t));
        const std::u16string text =
            it != wide.end() ? it->second : u"字段" + std::u16string(1, char16_t(u'A' + t));
        writer.writeWideString(utf16Le(text), static_cast<ArchiveWriter::LengthForm>(t % 3));
    }
    const std::string acetone = gbkOf("丙酮");
    WriteRecord(writer, reagent(acetone, {{Field::CasNumber, "67-64-1"}}));

    CVELMORDoc doc;
    const std::string bytes = out.str();
    LoadDatabaseBytes(doc, bytes, "cmc.kdb");
    ASSERT_EQ(doc.RecordCount(), 2);
    const ReagentRecord& first = doc.Record(0);
    EXPECT_EQ(first.LeadInt1, 7);
    EXPECT_EQ(first.LeadInt2, -7);
    EXPECT_EQ(first.ChineseName, gbkOf("乙醇"));
    EXPECT_EQ(first.EnglishName, "Ethanol");
    EXPECT_EQ(first.Formula, "C2H6O");
    EXPECT_EQ(first.Remarks, gbkOf("备注") + "?");
    std::string shade;
    for (int i = 0; i < 300; ++i)
        shade += "阴";
    EXPECT_EQ(first.Storage, gbkOf(shade));
    EXPECT_EQ(first.Spare3, gbkOf("字段") + char('A' + textIndex(Field::Spare3)));
    EXPECT_EQ(doc.Record(1).ChineseName, acetone);
    EXPECT_EQ(doc.Record(1).CasNumber, "67-64-1");

    // The searched fields hold the converted texts as well.
    const std::vector<int> ethanol = {0};
    EXPECT_EQ(MatchRecords(doc, SearchKind::ChineseName, gbkOf("醇")), ethanol);
    EXPECT_EQ(MatchRecords(doc, SearchKind::EnglishName, "thanol"), ethanol);
    EXPECT_EQ(MatchRecords(doc, SearchKind::CasNumber, "17-5"), ethanol);
    EXPECT_EQ(MatchRecords(doc, SearchKind::Formula, "C2H6O"), ethanol);
    EXPECT_EQ(MatchRecords(doc, SearchKind::Use, gbkOf("消毒")), ethanol);
    EXPECT_EQ(doc.FindRecordByName(gbkOf("乙醇")), 0);
}

TEST(LoaderEncoding, EveryStartMarkerGoesBeforeAnyEndMarker)
{
    // Deleting "<sub>" first and "</sub>" second gives other texts than the reverse order.
    CVELMORDoc doc;
    loadRecords(doc, {reagent("a", {{Field::Formula, "</<sub>sub>"}}),
                      reagent("b", {{Field::Formula, "<sub</sub>>"}})});
    EXPECT_EQ(doc.Record(0).Formula, "");
    EXPECT_EQ(doc.Record(1).Formula, "<sub>");
    EXPECT_EQ(MatchRecords(doc, SearchKind::Formula, "<sub>"), std::vector<int>{1});
    EXPECT_TRUE(MatchRecords(doc, SearchKind::Formula, "/").empty());
}
