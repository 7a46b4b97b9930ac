#include "framework/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/runtime_error.h"

namespace dialvane {
namespace {

ErrorCode errorOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.code();
    }
    ADD_FAILURE() << "no run-time error";
    return ErrorCode::InvalidProcedureCall;
}

TEST(WholeNumbers, RoundHalfToEvenIntoSixteenBits) {
    const struct {
        double in;
        std::int16_t out;
    } cases[] = {{0.5, 0},           {1.5, 2},       {2.5, 2},       {-0.5, 0},
                 {-1.5, -2},         {-2.5, -2},     {-60.5, -60},   {-59.5, -60},
                 {-84.996, -85},     {-34.596, -35}, {0.4999999, 0}, {32767.4, 32767},
                 {-32768.5, -32768}, {1.0000001, 1}, {-0.0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(toInt16(c.in), c.out) << c.in;
    }
}

TEST(WholeNumbers, SixteenBitOverflowIsARunTimeError) {
    for (const double bad : {32767.5, -32768.6, 40000.0, -1e9, std::nan(""),
                             std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(errorOf([bad] { toInt16(bad); }), ErrorCode::Overflow) << bad;
    }
}

TEST(WholeNumbers, RoundHalfToEvenIntoThirtyTwoBits) {
    EXPECT_EQ(toInt32(84.5), 84);
    EXPECT_EQ(toInt32(1234.5), 1234);
    EXPECT_EQ(toInt32(1235.5), 1236);
    EXPECT_EQ(toInt32(-1234.5), -1234);
    EXPECT_EQ(toInt32(2147483647.4), 2147483647);
    EXPECT_EQ(errorOf([] { toInt32(2147483647.5); }), ErrorCode::Overflow);
}

TEST(Floor, GoesTowardsMinusInfinity) {
    EXPECT_EQ(floorChecked(-399.2), -400);
    EXPECT_EQ(floorChecked(445.9), 445);
    EXPECT_EQ(floorChecked(-0.0000001), -1);
    EXPECT_EQ(floorChecked(7.0), 7);
    EXPECT_EQ(errorOf([] { floorChecked(std::numeric_limits<double>::infinity()); }),
              ErrorCode::Overflow);
}

TEST(SinglePrecision, RoundsOnceAndRejectsWhatDoesNotFit) {
    EXPECT_EQ(toSingle(445.94594594594594), 445.945946F);
    EXPECT_EQ(toSingle(0.1), 0.1F);
    EXPECT_EQ(toSingle(-3.4e38), -3.4e38F);
    EXPECT_EQ(errorOf([] { toSingle(1e39); }), ErrorCode::Overflow);
    EXPECT_EQ(errorOf([] { toSingle(std::nan("")); }), ErrorCode::Overflow);
}

TEST(Counter, SixteenBitIncrementFailsInsteadOfWrapping) {
    EXPECT_EQ(incremented(0), 1);
    EXPECT_EQ(incremented(-1), 0);
    EXPECT_EQ(incremented(32766), 32767);
    EXPECT_EQ(errorOf([] { incremented(32767); }), ErrorCode::Overflow);
}

}  // namespace
}  // namespace dialvane
