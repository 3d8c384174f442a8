#include "app/text_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct Case {
    const char* text;
    int value;
};

class TextToNumber : public ::testing::TestWithParam<Case> {};

TEST_P(TextToNumber, ReadsTheRule) {
    const Case& c = GetParam();
    EXPECT_EQ(app::textToNumber(std::string_view(c.text)), c.value) << '"' << c.text << '"';
    EXPECT_EQ(app::textToNumber(QString::fromLatin1(c.text)), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToNumber,
    ::testing::Values(Case{"12", 12}, Case{"  12", 12}, Case{"\t \t7", 7}, Case{"-5", -5}, Case{"+5", 5},
                      Case{"$FF", 255}, Case{"$ff", 255}, Case{"-$10", -16}, Case{"%101", 5}, Case{"%102", 2},
                      Case{"12abc", 12}, Case{"$1G", 1}, Case{"1 2", 1}, Case{"", 0}, Case{"   ", 0}, Case{"+", 0},
                      Case{"-", 0}, Case{"$", 0}, Case{"%", 0}, Case{"abc", 0}, Case{"0x10", 0}, Case{"- 5", 0},
                      Case{"\n5", 0}, Case{"007", 7}, Case{"2147483647", INT_MAX},
                      Case{"-2147483648", INT_MIN}, Case{"2147483648", INT_MAX}, Case{"99999999999999", INT_MAX},
                      Case{"-99999999999999", INT_MIN}, Case{"$FFFFFFFFFFFF", INT_MAX},
                      Case{"%11111111111111111111111111111111111111", INT_MAX}));

TEST(TextToNumberText, NonAsciiEndsTheNumber) {
    EXPECT_EQ(app::textToNumber(QString::fromUtf8("42\u00e9")), 42);
    EXPECT_EQ(app::textToNumber(QString::fromUtf8("\u00a012")), 0);  // a no-break space is not skipped
}

TEST(TextToNumberText, VeryLongDigitRunsStillClamp) {
    EXPECT_EQ(app::textToNumber(std::string(10000, '9')), INT_MAX);
    EXPECT_EQ(app::textToNumber("-" + std::string(10000, '9')), INT_MIN);
}

}  // namespace
