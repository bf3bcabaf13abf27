#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/error.h"
#include "host/field_reader.h"

namespace {

using host::Variant;

// Every field the reader yields before it fails.
std::vector<Variant> allFields(std::string_view content, bool cutOff = false) {
    host::FieldReader reader(content, cutOff);
    std::vector<Variant> fields;
    for (;;) {
        try {
            fields.push_back(reader.readField());
        } catch (const host::RuntimeError& error) {
            EXPECT_EQ(error.number(), host::ErrorNumber::InputPastEndOfFile);
            return fields;
        }
    }
}

TEST(FieldReaderTest, SplitsAtCommasAndEveryKindOfLineEnd) {
    EXPECT_EQ(allFields("1,2\r\n3\r4\n5"), (std::vector<Variant>{1.0, 2.0, 3.0, 4.0, 5.0}));
    EXPECT_EQ(allFields("a,,\r\n\tb  ,  "), (std::vector<Variant>{"a", Variant(), Variant(), "b"}));
    EXPECT_EQ(allFields(""), std::vector<Variant>{});
    EXPECT_EQ(allFields("   "), std::vector<Variant>{});
}

TEST(FieldReaderTest, QuotesHoldSeparatorsAndWhatFollowsTheClosingQuoteIsDropped) {
    EXPECT_EQ(allFields("\"a, b\"junk,7"), (std::vector<Variant>{"a, b", 7.0}));
    EXPECT_EQ(allFields("\"12\""), std::vector<Variant>{"12"});
    EXPECT_EQ(allFields("\"open\r\nended"), std::vector<Variant>{"open\r\nended"});
    EXPECT_EQ(allFields("\"\"  ,\"\"x"), (std::vector<Variant>{"\"\"", "\"\"x"}));
}

TEST(FieldReaderTest, AFieldThatMayGoOnBeyondTheGivenTextIsNotRead) {
    EXPECT_EQ(allFields("7,123", true), std::vector<Variant>{7.0});
    EXPECT_EQ(allFields("7\r", true), std::vector<Variant>{7.0});
    EXPECT_EQ(allFields("\"unclosed", true), std::vector<Variant>{});
    EXPECT_EQ(allFields("\"closed\" tail", true), std::vector<Variant>{"closed"});
}

}  // namespace
