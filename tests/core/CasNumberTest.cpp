#include "CasNumber.h"

#include <gtest/gtest.h>

TEST(CasNumber, FormAndCheckDigit)
{
    for (const char* valid :
         {"7732-18-5", "64-17-5", "50-00-0", "1333-74-0", "7440-57-5", "1234567-89-5"})
        EXPECT_EQ(CheckCasNumber(valid).kind, CasVerdict::Kind::Valid) << valid;

    const CasVerdict wrong = CheckCasNumber("7732-18-4");
    EXPECT_EQ(wrong.kind, CasVerdict::Kind::WrongCheckDigit);
    EXPECT_EQ(wrong.expectedDigit, 5);

    for (const char* malformed :
         {"7732185", "7-18-5", "12345678-18-5", "7732-1-5", "7732-188-5", "7732-18-55", "7732-18-",
          " 7732-18-5", "7732-18-5 ", "7732–18–5", "77a2-18-5", "-18-5", "", "7732-18-5,64-17-5"})
        EXPECT_EQ(CheckCasNumber(malformed).kind, CasVerdict::Kind::Malformed) << malformed;
}
