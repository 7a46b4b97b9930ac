#include <gtest/gtest.h>

#include <limits>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

class Needle : public ::testing::Test {
protected:
    void SetUp() override {
        form.needleLength = static_cast<float>(825.0 * (1200.0 / 2220.0));  // 445.945945...
        form.centreX = 600;
        form.centreY = 600;
    }
    testing::FakePlatform platform;
    Form1 form{platform};
};

TEST_F(Needle, TipOnTheWorkedPositions) {
    const struct {
        double position;
        float x2, y2;
    } cases[] = {
        {0, 600, 155},   {-60, 600, 155},     {15, 1045, 600},   {-15, 154, 600},
        {30, 600, 1046}, {-84.996, 377, 987}, {-25, 377, 987},   {-34.596, 822, 987},
        {25, 822, 987},  {-60.5, 600, 155},   {-59.5, 600, 155}, {45, 154, 601},
    };
    for (const auto& c : cases) {
        form.Drehen(c.position);
        EXPECT_EQ(form.SecZ.x2(), c.x2) << c.position;
        EXPECT_EQ(form.SecZ.y2(), c.y2) << c.position;
    }
}

TEST_F(Needle, LeavesPivotAndArgumentAlone) {
    const double position = -84.996;
    form.Drehen(position);
    EXPECT_EQ(position, -84.996);
    EXPECT_EQ(form.SecZ.x1(), 1170);  // only the tip moves
    EXPECT_EQ(form.SecZ.y1(), 1080);
}

TEST_F(Needle, WritesXBeforeYAsTwoChanges) {
    testing::FakeHost host(form);
    form.Drehen(15);
    EXPECT_EQ(host.changesOf(form.SecZ), 2);
}

TEST_F(Needle, OverflowingStepIsARunTimeErrorBeforeAnyChange) {
    testing::FakeHost host(form);
    for (const double bad : {32767.5, -32769.0, 1e9}) {
        try {
            form.Drehen(bad);
            ADD_FAILURE() << bad;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.code(), ErrorCode::Overflow);
        }
    }
    EXPECT_EQ(host.changesOf(form.SecZ), 0);
    form.Drehen(32767);  // the largest step still turns
    EXPECT_EQ(host.changesOf(form.SecZ), 2);
}

TEST_F(Needle, NonFiniteLengthFailsBeforeTheTipMoves) {
    testing::FakeHost host(form);
    form.needleLength = std::numeric_limits<float>::infinity();
    EXPECT_THROW(form.Drehen(0), RuntimeError);
    EXPECT_EQ(host.changesOf(form.SecZ), 0);
}

}  // namespace
}  // namespace dialvane
