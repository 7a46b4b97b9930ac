#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

class Readings : public ::testing::Test {
protected:
    // The example drive: 4096-byte clusters, 61,000,000 in all, 20,000,000 free.
    void SetUp() override {
        platform.drives['C'] = {8, 512, 20'000'000, 61'000'000, false};
        platform.drives['D'] = {};
        platform.currentDrive = 'D';
        form.lblHDRAM.setCaption("HD");
    }
    // The drive reading is the form's own business; a sweep tick in drive mode takes one.
    void DiskCheck() { form.Timer2_Timer(); }
    testing::FakePlatform platform;
    Form1 form{platform};
    Module1 module{platform};
};

TEST_F(Readings, MemoryLoadGoesIntoReadingAndLabel) {
    const struct {
        std::uint32_t load;
        const char* caption;
    } cases[] = {{47, "47 %"}, {5, "5 %"}, {100, "100 %"}, {0, " %"}};
    form.lblHDRAM.setCaption("RAM");
    for (const auto& c : cases) {
        platform.memoryLoad = c.load;
        form.MemoryCheck();
        EXPECT_EQ(form.reading, c.load);
        EXPECT_EQ(form.lbl_MEM.caption(), c.caption);
    }
    EXPECT_EQ(platform.memoryQueries, 4);
}

TEST_F(Readings, DriveSpaceInGigabytesAndMegabytes) {
    EXPECT_EQ(module.DiskTotalSpace("C:", true, false), Currency::fromRaw(2323242));
    EXPECT_EQ(module.DiskFreeSpace("C:", true, false), Currency::fromRaw(761719));
    EXPECT_EQ(module.DiskFreeSpace("C:", false, false), Currency::fromInt32(78000));
    EXPECT_EQ(module.DiskTotalSpace("C:", false, false), Currency::fromInt32(237900));
    EXPECT_EQ(module.DiskTotalSpace("C:", true, true), Currency::fromInt32(232));
    EXPECT_EQ(module.DiskFreeSpace("C:\\Windows", true, true), Currency::fromInt32(76));
    EXPECT_EQ(platform.currentDrive, 'C');
}

TEST_F(Readings, SmallClustersRoundToFourPlaces) {
    platform.drives['C'] = {1, 512, 2048, 4096, false};  // 0.00048828125 MB -> 0.0005
    EXPECT_EQ(module.DiskTotalSpace("C:", false, false), Currency::fromRaw(4096 * 5));
    EXPECT_EQ(module.DiskFreeSpace("C:", false, false), Currency::fromRaw(2048 * 5));
}

TEST_F(Readings, ClusterSizeBeyondThirtyTwoBitsIsOverflow) {
    platform.drives['C'] = {65536, 65536, 1, 1, false};
    try {
        module.DiskTotalSpace("C:", true, false);
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::Overflow);
    }
}

TEST_F(Readings, AnUnknownDriveIsAnError) {
    EXPECT_THROW(module.DiskTotalSpace("Q:", true, false), RuntimeError);
    EXPECT_EQ(platform.currentDrive, 'D');
}

TEST_F(Readings, DriveFillWithTheUsersSeparator) {
    DiskCheck();
    EXPECT_NEAR(form.reading, 67.2131, 0.00005);
    EXPECT_DOUBLE_EQ(form.reading, 156.1523 / 232.3242 * 100);
    EXPECT_EQ(form.lbl_MEM.caption(), "67.2 %");
    EXPECT_EQ(platform.driveChanges, (std::vector<char>{'C', 'C', 'C'}));
    EXPECT_EQ(platform.currentDrive, 'C');

    platform.format = {",", "."};
    DiskCheck();
    EXPECT_EQ(form.lbl_MEM.caption(), "67,2 %");
}

TEST_F(Readings, FullAndEmptyDrive) {
    platform.drives['C'].freeClusters = 0;
    DiskCheck();
    EXPECT_EQ(form.reading, 100);
    EXPECT_EQ(form.lbl_MEM.caption(), "100. %");

    platform.drives['C'].freeClusters = 61'000'000;
    DiskCheck();
    EXPECT_EQ(form.reading, 0);
    EXPECT_EQ(form.lbl_MEM.caption(), ". %");

    platform.drives['C'] = {8, 512, 30'500'000, 61'000'000, false};
    platform.format = {",", "."};
    DiskCheck();
    EXPECT_EQ(form.reading, 50);
    EXPECT_EQ(form.lbl_MEM.caption(), "50, %");
}

TEST_F(Readings, AFailedQueryClaimsNeitherFullNorEmpty) {
    platform.drives['C'].queryFails = true;
    form.reading = 55;
    DiskCheck();
    EXPECT_EQ(form.reading, 0);
    EXPECT_EQ(form.lbl_MEM.caption(), "-- %");
    EXPECT_EQ(platform.currentDrive, 'C');
}

}  // namespace
}  // namespace dialvane
