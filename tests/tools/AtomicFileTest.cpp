#include "AtomicFile.h"
#include "ToolProcess.h"

using ::testing::ElementsAre;

namespace {

using AtomicFileTest = ToolTest;

TEST_F(AtomicFileTest, TheTargetChangesOnlyOnCommit)
{
    writeFile("target", "old");
    {
        AtomicFile file(path("target"));
        file.stream() << std::string(200000, 'x'); // more than one buffer
        EXPECT_EQ(readFile("target"), "old");
        EXPECT_EQ(fileNames().size(), 2u); // the temporary file beside it
        file.commit();
    }
    EXPECT_EQ(readFile("target"), std::string(200000, 'x'));
    EXPECT_THAT(fileNames(), ElementsAre("target"));
}

TEST_F(AtomicFileTest, AFileNotCommittedLeavesNothingBehind)
{
    writeFile("target", "old");
    {
        AtomicFile file(path("target"));
        file.stream() << "half";
    }
    EXPECT_EQ(readFile("target"), "old");
    EXPECT_THAT(fileNames(), ElementsAre("target"));
}

TEST_F(AtomicFileTest, FailuresNameTheFile)
{
    try {
        AtomicFile file(path("missing/target"));
        FAIL();
    } catch (const FileError& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("missing"));
    }
}

} // namespace
