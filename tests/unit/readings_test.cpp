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

TEST_F(Readings, DetailsOfTheModeInBytesFromOneQueryOfTheSameKind) {
    constexpr std::uint64_t mb = std::uint64_t{1} << 20;
    constexpr std::uint64_t gb = std::uint64_t{1} << 30;
    using Memory = testing::FakePlatform::PhysicalMemory;
    const NumberFormat german{",", "."};
    const struct {
        const char* mode;
        std::optional<Memory> memory;
        testing::DriveGeometry drive;
        const char* text;
    } cases[] = {
        {"RAM",
         Memory{15 * gb + 922 * mb, 4 * gb + 717 * mb},
         {},
         "Arbeitsspeicher: 11,2 GB von 15,9 GB belegt, 4,7 GB frei"},
        {"RAM", Memory{64 * gb, 0}, {}, "Arbeitsspeicher: 64,0 GB von 64,0 GB belegt, 0,0 GB frei"},
        {"RAM", std::nullopt, {}, ""},
        {"HD", {}, platform.drives['C'], "Laufwerk C: 156 GB von 233 GB belegt, 76,3 GB frei"},
        // Cluster counts past 2^31 are the system's unsigned counts, not negative ones.
        {"HD",
         {},
         {8, 512, -1'294'967'296, -1'294'967'296, false},
         "Laufwerk C: 0,0 GB von 11,2 TB belegt, 11,2 TB frei"},
        {"HD", {}, {8, 512, 0, 0, false}, ""},
        {"HD", {}, {8, 512, 1, 2, true}, ""},
    };
    platform.format = german;
    for (const auto& c : cases) {
        form.lblHDRAM.setCaption(c.mode);
        platform.physicalMemory = c.memory;
        platform.drives['C'] = c.drive;
        platform.currentDrive = 'D';
        platform.driveChanges.clear();
        platform.memoryQueries = platform.memoryExQueries = 0;
        EXPECT_EQ(form.details(), c.text) << c.text;
        const bool memory = std::string_view(c.mode) == "RAM";
        EXPECT_EQ(platform.memoryExQueries, memory ? 1 : 0);
        EXPECT_EQ(platform.memoryQueries, 0) << "the reading's 32-bit record stays the reading's";
        EXPECT_EQ(platform.driveChanges, memory ? std::vector<char>{} : std::vector<char>{'C'});
    }
}

}  // namespace
}  // namespace dialvane
