// Atomic weights, formula weights and stated weights.

#include "AtomicWeights.h"
#include "FormulaWeight.h"
#include "MolecularWeight.h"

#include <gmock/gmock.h>

using ::testing::DoubleNear;
using ::testing::HasSubstr;
using ::testing::Optional;

namespace {

TEST(ChemistryTest, AtomicWeights)
{
    EXPECT_THAT(AtomicWeight("C"), Optional(12.011));
    EXPECT_THAT(AtomicWeight("Cl"), Optional(35.45));
    EXPECT_THAT(AtomicWeight("D"), Optional(DoubleNear(2.014, 0.001)));
    EXPECT_EQ(AtomicWeight("CL"), std::nullopt);
    EXPECT_EQ(AtomicWeight("Xx"), std::nullopt);
    EXPECT_EQ(AtomicWeight(""), std::nullopt);
}

TEST(ChemistryTest, FormulaWeightsOfCommonReagents)
{
    const std::vector<std::pair<const char*, double>> known = {
        {"H2O", 18.015},
        {"NaCl", 58.44},
        {"C6H12O6", 180.156},
        {"CH3(CH2)16COOH", 284.48},
        {"(NH4)2SO4", 132.14},
        {"K3[Fe(CN)6]", 329.24},
        {"K4[Fe(CN)6].3H2O", 422.39},
        {"CuSO4.5H2O", 249.68},
        {"CuSO4·5H2O", 249.68},
        {"CuSO4 · 5H2O", 249.68},
        {"Na2CO3*10H2O", 286.14},
        {"CaSO4·1/2H2O", 145.14},
        {"CaSO4.0.5H2O", 145.14},
        {"CDCl3", 120.38},
        {"Al2(SO4)3.18H2O", 666.40},
    };
    for (const auto& [formula, weight] : known)
        EXPECT_THAT(FormulaWeight(formula), Optional(DoubleNear(weight, 0.01))) << formula;
}

TEST(ChemistryTest, UnreadableFormulasSayWhy)
{
    const std::vector<std::pair<const char*, const char*>> unreadable = {
        {"(C2H4)n", "“n”"},         {"CuSO4.xH2O", "“x”"},    {"Xy2O", "“Xy”不是元素符号"},
        {"Ca(OH2", "右括号"},       {"H2O)", "左括号"},       {"", "缺少元素符号"},
        {"()", "缺少元素符号"},     {"H2O.", "缺少元素符号"}, {"NH4+", "“+”"},
        {"C6H5OH（苯酚）", "“（”"},
    };
    for (const auto& [formula, reason] : unreadable) {
        std::string problem;
        EXPECT_EQ(FormulaWeight(formula, &problem), std::nullopt) << formula;
        EXPECT_THAT(problem, HasSubstr(reason)) << formula;
    }
}

TEST(ChemistryTest, StatedWeightsAndTheirTolerance)
{
    EXPECT_THAT(ParseStatedWeight("58.44"), Optional(::testing::Field(&StatedWeight::decimals, 2)));
    EXPECT_THAT(ParseStatedWeight("58.44 g/mol"),
                Optional(::testing::Field(&StatedWeight::value, DoubleNear(58.44, 1e-9))));
    EXPECT_THAT(ParseStatedWeight("58"), Optional(::testing::Field(&StatedWeight::decimals, 0)));
    for (const char* notANumber : {"", ".", "约58", "58.4.4", "-58", "58 kg", " 58"})
        EXPECT_EQ(ParseStatedWeight(notANumber), std::nullopt) << notANumber;

    const auto agrees = [](const char* stated, double computed) {
        return WeightsAgree(*ParseStatedWeight(stated), computed);
    };
    EXPECT_TRUE(agrees("58.44", 58.443));
    EXPECT_TRUE(agrees("18.03", 18.015)); // 0.02 absolute
    EXPECT_FALSE(agrees("18.04", 18.015));
    EXPECT_TRUE(agrees("58.47", 58.443)); // 0.05 %
    EXPECT_FALSE(agrees("58.48", 58.443));
    EXPECT_TRUE(agrees("58.4", 58.443)); // half a unit of the last digit stated
    EXPECT_TRUE(agrees("58", 58.443));
    EXPECT_FALSE(agrees("59", 58.443));
    EXPECT_TRUE(agrees("1000.4", 1000.0)); // 0.05 % of a large weight
    EXPECT_FALSE(agrees("1000.6", 1000.0));
}

} // namespace
