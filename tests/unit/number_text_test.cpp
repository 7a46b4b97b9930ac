#include "framework/number_text.h"

#include <gtest/gtest.h>

#include "framework/runtime_error.h"
#include "gauge/size_text.h"

namespace dialvane {
namespace {

const NumberFormat english{".", ","};
const NumberFormat german{",", "."};

TEST(ParseNumber, AcceptsWhatUsersWrite) {
    const struct {
        const char* text;
        const NumberFormat& format;
        double value;
    } cases[] = {
        {"1200", english, 1200}, {"  800 ", english, 800},  {"-1", english, -1},
        {"+2", english, 2},      {"0900", english, 900},    {"1.5", english, 1.5},
        {"1,5", german, 1.5},    {"1,200", english, 1200},  {"1.200", german, 1200},
        {".5", english, 0.5},    {"5.", english, 5},        {"1e30", english, 1e30},
        {"1E+3", english, 1000}, {"2.5e-1", english, 0.25}, {"18000", german, 18000},
        {"1D2", english, 100},   {"\t7\t", english, 7},     {"-0", english, 0},
    };
    for (const auto& c : cases) {
        const auto value = parseNumber(c.text, c.format);
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*value, c.value) << c.text;
    }
}

TEST(ParseNumber, RejectsEverythingElse) {
    for (const char* text : {"", " ", "abc", "12a", "1.2.3", "e5", "1e", "1e+", "--1", "+", ".",
                             ",5", "1e400", "1e-400", "NaN", "inf", "0x10", "1 2"}) {
        EXPECT_FALSE(parseNumber(text, english).has_value()) << text;
    }
    EXPECT_EQ(parseNumber("1.5.", german), 15.0);  // group separators are only skipped
}

TEST(ParseNumber, NotANumberIsATypeMismatchWhenConverted) {
    try {
        textToDouble("abc", english);
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::TypeMismatch);
    }
    try {
        textToSingle("1e39", english);
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::Overflow);
    }
    EXPECT_EQ(textToSingle("2220", english), 2220.0F);
}

TEST(PatternHashHash, DigitsWithoutLeadingZerosAndNothingForZero) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{47, "47"}, {5, "5"},   {100, "100"},  {0, ""},    {0.4, ""},
                 {0.5, "1"}, {2.5, "3"}, {99.5, "100"}, {-3, "-3"}, {123456, "123456"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatHashHash(c.value), c.text) << c.value;
    }
}

TEST(PatternHashHashDotHash, SeparatorAlwaysTenthsOnlyWhenNotZero) {
    const struct {
        double value;
        const char* english;
        const char* german;
    } cases[] = {
        {67.213101, "67.2", "67,2"}, {50, "50.", "50,"},
        {100, "100.", "100,"},       {0, ".", ","},
        {0.25, ".3", ",3"},          {0.04, ".", ","},
        {99.96, "100.", "100,"},     {0.15, ".2", ",2"},
        {9.95, "10.", "10,"},        {45.3, "45.3", "45,3"},
        {12.05, "12.1", "12,1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatHashHashDotHash(c.value, english), c.english) << c.value;
        EXPECT_EQ(formatHashHashDotHash(c.value, german), c.german) << c.value;
    }
}

TEST(SizeText, GigabytesWithATenthBelow100WholeFrom100TerabytesFrom1000) {
    constexpr std::uint64_t mb = std::uint64_t{1} << 20;
    constexpr std::uint64_t gb = std::uint64_t{1} << 30;
    const struct {
        std::uint64_t bytes;
        const NumberFormat& format;
        const char* text;
    } cases[] = {
        {0, english, "0.0 GB"},
        {gb / 20, english, "0.0 GB"},  // a byte short of half a tenth
        {gb / 20 + 1, english, "0.1 GB"},
        {11 * gb + 205 * mb, german, "11,2 GB"},
        {99 * gb + 972 * mb, english, "99.9 GB"},  // 99.949 GB
        {99 * gb + 973 * mb, english, "100 GB"},   // 99.950 GB: a tenth would read 100.0
        {100 * gb + 512 * mb - 1, english, "100 GB"},
        {100 * gb + 512 * mb, german, "101 GB"},
        {999 * gb + 511 * mb, english, "999 GB"},
        {999 * gb + 512 * mb, english, "1.0 TB"},  // 1000 GB rounded: 0.976 TB
        {1536 * gb, german, "1,5 TB"},
        {10240 * gb - 1, english, "10.0 TB"},
        {~std::uint64_t{0}, english, "16777216.0 TB"},  // no overflow at the very top
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sizeText(c.bytes, c.format), c.text) << c.bytes;
    }
}

TEST(SingleText, StandardFormOfSinglePrecisionNumbers) {
    const struct {
        float value;
        const char* english;
        const char* german;
    } cases[] = {
        {1500, "1500", "1500"},
        {18000, "18000", "18000"},
        {-1200, "-1200", "-1200"},
        {0.5F, "0.5", "0,5"},
        {1234.5F, "1234.5", "1234,5"},
        {1234567, "1234567", "1234567"},
        {12345678, "1.234568E+07", "1,234568E+07"},
        {1e30F, "1E+30", "1E+30"},
        {0.0001F, "0.0001", "0,0001"},
        {0.00001F, "1E-05", "1E-05"},
        {0, "0", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(singleToText(c.value, english), c.english) << c.value;
        EXPECT_EQ(singleToText(c.value, german), c.german) << c.value;
    }
}

TEST(SingleText, ReadsBackToTheSameSingle) {
    for (const float value : {1000.0F, 16980.0F, 445.9459F, -100.25F, 1e30F, 3.3e-7F}) {
        EXPECT_EQ(textToSingle(singleToText(value, german), german), value) << value;
    }
}

}  // namespace
}  // namespace dialvane
