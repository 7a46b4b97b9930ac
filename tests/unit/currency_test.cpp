#include "framework/currency.h"

#include <gtest/gtest.h>

#include "framework/runtime_error.h"

namespace dialvane {
namespace {

TEST(Currency, FromDoubleRoundsToTenThousandthsHalfToEven) {
    const struct {
        double value;
        std::int64_t raw;
    } cases[] = {
        {0.00390625, 39},    // 4096-byte clusters in megabytes
        {0.00048828125, 5},  // 512-byte clusters
        {0.03125, 312},      // exact tie, down to even
        {0.09375, 938},      // exact tie, up to even
        {-0.03125, -312},        {232.32421875, 2323242}, {76.171875, 761719}, {0, 0},
        {1e10, 100000000000000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Currency::fromDouble(c.value).raw(), c.raw) << c.value;
    }
}

TEST(Currency, OutOfRangeOrNotFiniteIsOverflow) {
    for (const double bad : {1e15, -1e15, 1.0 / 0.0, 0.0 / 0.0}) {
        try {
            Currency::fromDouble(bad);
            ADD_FAILURE() << bad;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), ErrorCode::Overflow);
        }
    }
    EXPECT_THROW(Currency::fromRaw(INT64_MIN) - Currency::fromRaw(1), RuntimeError);
    EXPECT_THROW(Currency::fromInt32(2147483647) * Currency::fromInt32(2147483647) *
                     Currency::fromInt32(2147483647),
                 RuntimeError);
}

TEST(Currency, ProductsAndDifferencesAreExact) {
    const Currency perCluster = Currency::fromDouble(0.00390625);
    EXPECT_EQ((Currency::fromInt32(61000000) * perCluster).raw(), 237900LL * 10000);
    EXPECT_EQ((Currency::fromInt32(20000000) * perCluster).raw(), 78000LL * 10000);
    EXPECT_EQ((Currency::fromRaw(2323242) - Currency::fromRaw(761719)).raw(), 1561523);
    EXPECT_EQ((Currency::fromInt32(2147483647) * perCluster).raw(), 2147483647LL * 39);
    // Two fractional factors round half to even in the fourth place.
    EXPECT_EQ((Currency::fromRaw(5) * Currency::fromRaw(5000)).raw(), 2);   // 0.00025 -> 0.0002
    EXPECT_EQ((Currency::fromRaw(15) * Currency::fromRaw(5000)).raw(), 8);  // 0.00075 -> 0.0008
}

TEST(Currency, WholeRoundsDownAndConvertsBack) {
    EXPECT_EQ(Currency::fromRaw(2323242).floorWhole().raw(), 2320000);
    EXPECT_EQ(Currency::fromRaw(-5000).floorWhole().raw(), -10000);
    EXPECT_EQ(Currency::fromRaw(-10000).floorWhole().raw(), -10000);
    EXPECT_DOUBLE_EQ(Currency::fromRaw(2323242).toDouble(), 232.3242);
    EXPECT_LT(Currency::fromRaw(1), Currency::fromRaw(2));
}

}  // namespace
}  // namespace dialvane
