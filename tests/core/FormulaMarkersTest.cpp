// The loader copies each formula without its markers in one pass; that pass must give exactly
// what deleting every "<sub>" and then every "</sub>" gives, on any text.

#include "FormulaMarkers.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

/// Deletes every `marker` from `text`, left to right, looking at the text as it was.
std::string deleteAll(const std::string& text, const std::string& marker)
{
    std::string kept;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, marker.size(), marker) == 0)
            i += marker.size();
        else
            kept += text[i++];
    }
    return kept;
}

std::string withoutMarkers(const std::string& text)
{
    return deleteAll(deleteAll(text, "<sub>"), "</sub>");
}

/// Texts built from markers and their pieces, so that markers meet, nest and break apart.
std::string randomText(std::mt19937& random)
{
    static const char* const pieces[] = {"<sub>", "</sub>", "<",  "/",   "s",   "u",   "b",
                                         ">",     "x",      "12", "<su", "</s", "ub>", "H2O"};
    std::string text;
    for (int n = static_cast<int>(random() % 12); n > 0; --n)
        text += pieces[random() % std::size(pieces)];
    return text;
}

} // namespace

class FormulaMarkersOnEitherPath : public testing::TestWithParam<Instructions>
{
};

INSTANTIATE_TEST_SUITE_P(Paths, FormulaMarkersOnEitherPath,
                         testing::Values(Instructions::Fastest, Instructions::Portable));

TEST_P(FormulaMarkersOnEitherPath, OnePassCopyAndInPlaceDeletionAgreeWithTheTwoPasses)
{
    std::mt19937 random(7);
    for (int i = 0; i < 50000; ++i) {
        const std::string text = randomText(random);
        const std::string expected = withoutMarkers(text);

        // Past the end: the start of a marker, which is no marker, or plain bytes.
        const std::string from = text + std::string(kMarkerPadding, i % 2 ? '<' : 'x') + "sub>";
        std::string to(text.size() + kMarkerPadding, '?');
        const std::size_t copied =
            CopyWithoutFormulaMarkers(to.data(), from.data(), text.size(), GetParam());
        ASSERT_EQ(to.substr(0, copied), expected) << text;

        std::string inPlace = text;
        ASSERT_EQ(inPlace.substr(0, RemoveFormulaMarkers(inPlace.data(), inPlace.size())), expected)
            << text;
    }
}

TEST_P(FormulaMarkersOnEitherPath, AMarkerFormedByDeletingAnotherStays)
{
    for (const auto& [text, expected] : std::initializer_list<std::pair<std::string, std::string>>{
             {"</<sub>sub>", ""},             // deleting "<sub>" forms "</sub>", deleted next
             {"</sub<sub>>", ""},             // the same, with the '<' five bytes back
             {"<sub</sub>>", "<sub>"},        // deleting "</sub>" forms "<sub>", which stays
             {"<su<sub>b>2</sub>", "<sub>2"}, // the "<sub>" formed stays
             {"C<sub>12</sub>H<sub>22</sub>O<sub>11</sub>", "C12H22O11"}}) {
        std::string to(text.size() + kMarkerPadding, '?');
        const std::string from = text + std::string(kMarkerPadding, '<');
        EXPECT_EQ(to.substr(0, CopyWithoutFormulaMarkers(to.data(), from.data(), text.size(),
                                                         GetParam())),
                  expected)
            << text;
    }
}
