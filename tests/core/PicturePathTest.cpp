#include "PicturePath.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

TEST(PicturePath, BackslashesSeparateFoldersAndRelativePathsStartAtTheDirectory)
{
    EXPECT_EQ(PictureFilePath("", "structures\\x.png"), "structures/x.png");
    EXPECT_EQ(PictureFilePath("/db", "a\\b/c.png"), "/db/a/b/c.png");
    EXPECT_EQ(PictureFilePath("/db", "/pictures\\x.png"), "/pictures/x.png");
}

TEST(PicturePath, ABackslashByteInsideATwoByteCharacterIsNoSeparator)
{
    // 誠 is 0xD5 0x5C in code page 936: its second byte is a backslash.
    const std::string name = gbkOf("誠\\图.png");
    ASSERT_EQ(name[1], '\\');
    EXPECT_EQ(PictureFilePath("db", name), "db/誠/图.png");
}
