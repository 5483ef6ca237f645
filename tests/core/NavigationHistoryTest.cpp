#include "NavigationHistory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

/// Records what the history asks of the document.
struct FakePage : PageSelection
{
    std::string current;
    int redraws = 0;
    void SetCurrentName(std::string_view name) override { current = name; }
    void RequestRedraw() override { ++redraws; }
};

class History : public ::testing::Test
{
protected:
    History() { history.seed("firstpage"); }

    /// What a search panel does when the user opens a row.
    void choose(const std::string& name)
    {
        page.SetCurrentName(name);
        history.push(name);
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < history.count(); ++i)
            names.push_back(history.entry(i));
        return names;
    }

    FakePage page;
    NavigationHistory history{page};
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(History, SeedMakesTheStartPageCurrentWithoutRedraw)
{
    EXPECT_EQ(page.current, "firstpage");
    EXPECT_EQ(entries(), Names{"firstpage"});
    EXPECT_EQ(history.current(), 0);
    history.back();
    history.next();
    EXPECT_EQ(page.redraws, 0);
    EXPECT_EQ(page.current, "firstpage");
}

TEST_F(History, BackAndNextWalkTheList)
{
    choose("A");
    choose("B");
    choose("C");
    EXPECT_EQ(entries(), (Names{"firstpage", "A", "B", "C"}));
    EXPECT_EQ(history.current(), 3);
    history.back();
    EXPECT_EQ(page.current, "B");
    history.back();
    EXPECT_EQ(page.current, "A");
    history.next();
    EXPECT_EQ(page.current, "B");
    EXPECT_EQ(page.redraws, 3 + 3);
    history.next();
    history.next(); // at the end: nothing, no redraw
    EXPECT_EQ(page.current, "C");
    EXPECT_EQ(page.redraws, 7);
}

TEST_F(History, ChoosingThePageShownAppendsNothingButRedraws)
{
    choose("C");
    choose("C");
    EXPECT_EQ(entries(), (Names{"firstpage", "C"}));
    EXPECT_EQ(page.redraws, 2);
    choose("c"); // case matters
    EXPECT_EQ(history.count(), 3);
}

TEST_F(History, ChoiceAfterSteppingBackJumpsToTheEnd)
{
    choose("A");
    choose("B");
    choose("C");
    history.back();
    history.back();
    ASSERT_EQ(history.current(), 1);
    choose("B"); // compared with A under the cursor only
    EXPECT_EQ(entries(), (Names{"firstpage", "A", "B", "C", "B"}));
    EXPECT_EQ(history.current(), 4);
    history.back();
    EXPECT_EQ(page.current, "C");

    history.back();
    history.back();
    choose("D");
    EXPECT_EQ(entries(), (Names{"firstpage", "A", "B", "C", "B", "D"}));
    history.back();
    EXPECT_EQ(page.current, "B");
}

TEST_F(History, TheEntryBeyondCapacityDropsTheOldest)
{
    for (int i = 1; i < NavigationHistory::kCapacity; ++i)
        choose("n" + std::to_string(i));
    ASSERT_EQ(history.count(), 1000);
    EXPECT_EQ(history.current(), 999);

    choose("newest");
    EXPECT_EQ(history.count(), 1000);
    EXPECT_EQ(history.current(), 999);
    EXPECT_EQ(history.entry(0), "n1");
    EXPECT_EQ(history.entry(999), "newest");
    history.back();
    EXPECT_EQ(page.current, "n999");

    // Stepping back from a full list and choosing again keeps the newest pages reachable.
    for (int i = 0; i < 10; ++i)
        history.back();
    choose("after");
    EXPECT_EQ(history.entry(999), "after");
    EXPECT_EQ(history.entry(998), "newest");
    EXPECT_EQ(history.current(), 999);
}

TEST_F(History, DroppingTheOldestEntryKeepsTheCursorOnTheEntryItWasOn)
{
    for (int i = 1; i < NavigationHistory::kCapacity; ++i)
        choose("n" + std::to_string(i));
    for (int i = 0; i < 5; ++i)
        history.back();
    ASSERT_EQ(page.current, "n994");
    ASSERT_EQ(history.current(), 994);

    // An entry added without a choice (a second seed) moves every entry down by one, and the
    // cursor with them: the page under it and its neighbours stay what they were.
    history.seed("late");
    EXPECT_EQ(history.count(), 1000);
    EXPECT_EQ(history.entry(999), "late");
    EXPECT_EQ(history.current(), 993);
    EXPECT_EQ(history.entry(history.current()), "n994");
    history.next();
    EXPECT_EQ(page.current, "n995");
    history.back();
    history.back();
    EXPECT_EQ(page.current, "n993");
}

TEST_F(History, AChoiceIsComparedWithTheEntryUnderTheCursorNotTheLast)
{
    choose("A");
    choose("B");
    history.back(); // on A; B is the last entry
    choose("B");    // differs from A: appended, although it equals the last entry
    EXPECT_EQ(entries(), (Names{"firstpage", "A", "B", "B"}));
    EXPECT_EQ(history.current(), 3);

    history.back();
    history.back(); // on A again; the last entry is B
    choose("A");    // the entry shown: nothing appended, the cursor stays
    EXPECT_EQ(entries(), (Names{"firstpage", "A", "B", "B"}));
    EXPECT_EQ(history.current(), 1);
}
