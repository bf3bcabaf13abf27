#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "host/error.h"
#include "host/variant.h"

namespace {

using host::ErrorNumber;
using host::Variant;

ErrorNumber failureOf(const Variant& value) {
    try {
        value.toInteger();
    } catch (const host::RuntimeError& error) {
        return error.number();
    }
    return ErrorNumber(0);
}

TEST(VariantTest, HalvesRoundToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {
        {0.5, 0},    {1.5, 2},     {2.5, 2},       {-0.5, 0},      {-1.5, -2},      {7.5, 8},
        {250.5, 250}, {0.49, 0},   {0.51, 1},      {-2.5, -2},     {32766.5, 32766}, {-32768.5, -32768},
    };
    for (const auto& [value, rounded] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(Variant(value).toInteger(), rounded);
    }
}

TEST(VariantTest, ValuesBeyondSixteenBitsOverflow) {
    for (double value : {32767.5, 32768.0, -32768.51, 1e300, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(failureOf(Variant(value)), ErrorNumber::Overflow);
    }
    EXPECT_EQ(Variant(32767.49).toInteger(), 32767);
}

TEST(VariantTest, TextThatSpellsANumberConvertsAsThatNumber) {
    EXPECT_EQ(Variant("35").toInteger(), 35);
    EXPECT_EQ(Variant(" 7.5 ").toInteger(), 8);
    EXPECT_EQ(Variant("-2.5").toInteger(), -2);
    EXPECT_EQ(Variant("1e2").toInteger(), 100);
    EXPECT_EQ(failureOf(Variant("40000")), ErrorNumber::Overflow);
    for (const char* text : {"fast", "", "1,5", "--5", "+-5", "inf", "nan", "0x10", ".", "5 5"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(failureOf(Variant(text)), ErrorNumber::TypeMismatch);
    }
}

TEST(VariantTest, EmptyEqualsEmptyTextButZeroDoesNot) {
    EXPECT_TRUE(Variant().equalsEmptyText());
    EXPECT_TRUE(Variant("").equalsEmptyText());
    EXPECT_FALSE(Variant(std::int16_t(0)).equalsEmptyText());
    EXPECT_FALSE(Variant(0.0).equalsEmptyText());
    EXPECT_FALSE(Variant(" ").equalsEmptyText());
    EXPECT_EQ(Variant().toNumber(), 0.0);
    EXPECT_EQ(Variant().toText(), "");
}

TEST(VariantTest, NumbersBecomeTheirShortestDecimalText) {
    EXPECT_EQ(Variant(std::int16_t(-150)).toText(), "-150");
    EXPECT_EQ(Variant(10.0).toText(), "10");
    EXPECT_EQ(Variant(2.5).toText(), "2.5");
    EXPECT_EQ(Variant(0.1).toText(), "0.1");
}

TEST(ParseNumberTest, NumbersTooLargeOrTooSmallForADoubleKeepTheirDirection) {
    const std::string tinyFraction = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(host::parseNumber(tinyFraction), 0.0);
    EXPECT_EQ(host::parseNumber("1e-400"), 0.0);
    EXPECT_EQ(host::parseNumber("0.001e-99999999999999999999"), 0.0);
    EXPECT_EQ(host::parseNumber("1" + std::string(400, '0')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(host::parseNumber("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(host::parseNumber(tinyFraction + "e800"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(host::parseNumber(tinyFraction + "e500"), 1e99);
}

}  // namespace
