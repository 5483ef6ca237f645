#include "Pinyin.h"
#include "FindText.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

/// The spelling of a name as the forms take it, from its normal form.
Spelling spelled(std::string_view utf8)
{
    static PinyinSpeller speller;
    Spelling spelling;
    speller.Spell(NormalForm(gbkOf(utf8), Folding::General), spelling);
    return spelling;
}

using Starts = std::vector<std::uint32_t>;

} // namespace

TEST(Pinyin, SyllablesWithoutTonesAndTheirInitials)
{
    const Spelling ethanol = spelled("乙醇");
    EXPECT_EQ(ethanol.pinyin, "yichun");
    EXPECT_EQ(ethanol.characterStarts, (Starts{0, 2}));
    EXPECT_EQ(ethanol.initials, "yc");
    EXPECT_TRUE(ethanol.sounded);

    EXPECT_EQ(spelled("氯化钠").pinyin, "lvhuana"); // ü as it is typed
    EXPECT_EQ(spelled("氯化钠").initials, "lhn");
}

TEST(Pinyin, LatinLettersDigitsAndSignsStayThemselvesAndBlanksGo)
{
    const Spelling alanine = spelled("L-丙氨酸");
    EXPECT_EQ(alanine.pinyin, "l-bingansuan");
    EXPECT_EQ(alanine.characterStarts, (Starts{0, 1, 2, 6, 8}));
    EXPECT_EQ(alanine.initials, "lbas");

    const Spelling phenol = spelled("2,4-二 硝基苯酚");
    EXPECT_EQ(phenol.pinyin, "2,4-erxiaojibenfen");
    EXPECT_EQ(phenol.initials, "24exjbf");

    // A character without a reading stays itself, two bytes at one start.
    const Spelling naphthol = spelled("α-萘酚");
    EXPECT_EQ(naphthol.pinyin, gbkOf("α") + "-naifen");
    EXPECT_EQ(naphthol.characterStarts, (Starts{0, 2, 3, 6}));
    EXPECT_EQ(naphthol.initials, "nf");
}

TEST(Pinyin, ANameWithoutHanCharactersIsNotSounded)
{
    const Spelling edta = spelled("EDTA-2Na");
    EXPECT_FALSE(edta.sounded);
    EXPECT_EQ(edta.pinyin, "edta-2na");
}
