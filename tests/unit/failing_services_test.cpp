#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/needle_probe.h"

namespace dialvane {
namespace {

using testing::needleDirection;

// A 2220-twip gauge whose services start failing once it runs.
class FailingServices : public ::testing::Test {
protected:
    void SetUp() override {
        platform.store("txtHeight", "2220");
        platform.memoryLoad = 50;
        platform.drives['C'] = {8, 512, 30'500'000, 61'000'000, false};  // half full
    }
    void startAndSettle() {
        host.loadAndShow();
        host.advance(5000);
        ASSERT_TRUE(form.Timer1.enabled());
    }
    int changes() const {
        int count = 0;
        for (const Element* element : form.elements()) {
            count += host.changesOf(*element);
        }
        for (const FormAspect aspect : {FormAspect::Caption, FormAspect::Position, FormAspect::Size,
                                        FormAspect::Visible, FormAspect::Background}) {
            count += host.changesOf(aspect);
        }
        return count;
    }
    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

TEST_F(FailingServices, AStoreThatCannotBeReadStartsFromTheDefaults) {
    platform.store("Monis", "2");
    platform.store("lblHDRAM.Caption", "HD");
    platform.storeFails = true;
    host.loadAndShow();
    EXPECT_FALSE(form.lastError().has_value());
    EXPECT_EQ(form.lblHDRAM.caption(), "RAM");
    EXPECT_EQ(form.Monis.text(), "1");
    EXPECT_EQ(form.txtHeight.text(), "1200");
    EXPECT_EQ(form.width(), 1200);
    EXPECT_EQ(form.left(), 1000);
    EXPECT_EQ(form.top(), 1000);
    EXPECT_TRUE(form.Timer2.enabled()) << "start-up ran to its end";
}

TEST_F(FailingServices, AStoreThatFailsEverySaveStillLetsTheWindowClose) {
    startAndSettle();
    platform.storeFails = true;
    host.click(1, 300, 300);
    EXPECT_EQ(form.lastError(), ErrorCode::InvalidProcedureCall);
    EXPECT_TRUE(host.close()) << "the first close closes";
    EXPECT_TRUE(platform.saves.empty());
}

TEST_F(FailingServices, TheNeedleFollowsTheDriveAgainOnceItAnswers) {
    platform.store("lblHDRAM.Caption", "HD");
    startAndSettle();
    const int halfFull = needleDirection(form);
    EXPECT_EQ(form.lbl_MEM.caption(), "50. %");

    platform.drives['C'].queryFails = true;
    host.advance(300);
    EXPECT_EQ(form.lbl_MEM.caption(), "-- %");
    EXPECT_NE(needleDirection(form), halfFull);

    platform.drives['C'].queryFails = false;
    platform.drives['C'].freeClusters = 15'250'000;  // three quarters full meanwhile
    host.advance(300);
    EXPECT_EQ(form.lbl_MEM.caption(), "75. %");
    EXPECT_EQ(needleDirection(form), 96) << "75 % compressed to 69";
    EXPECT_FALSE(form.lastError().has_value());
}

TEST_F(FailingServices, AClipboardThatNeverOpensLeavesTheNoticeAwayAndAllElseAsItWas) {
    startAndSettle();
    platform.clipboardHeldElsewhere = true;
    host.forgetChanges();
    form.raise(form.cmd_clear.onClick);
    EXPECT_EQ(form.lastError(), ErrorCode::ClipboardUnavailable);
    EXPECT_EQ(form.Label3.caption(), Form1::creditLine);
    EXPECT_EQ(changes(), 0);
    EXPECT_TRUE(platform.saves.empty());
}

// Whatever a service throws ends the handler that called it; the gauge goes on ticking.
TEST_F(FailingServices, NoFailureOfAnyKindEndsTheProgram) {
    const struct {
        const char* handler;
        void (*act)(Form1&, testing::FakeHost&);
    } handlers[] = {
        {"tick", [](Form1&, testing::FakeHost& host) { host.advance(100); }},
        {"release", [](Form1&, testing::FakeHost& host) { host.click(1, 300, 300); }},
        {"mode dot",
         [](Form1&, testing::FakeHost& host) { host.click(1, 1260 + 100, 1260 + 100); }},
        {"apply", [](Form1& form, testing::FakeHost&) { form.raise(form.cmd_weiter.onClick); }},
        {"close", [](Form1&, testing::FakeHost& host) { EXPECT_TRUE(host.close()); }},
    };
    const struct {
        void (*fail)();
        ErrorCode code;
    } failures[] = {
        {[] { throw std::bad_alloc(); }, ErrorCode::OutOfMemory},
        {[] { throw std::length_error("basic_string"); }, ErrorCode::InternalError},
        {[] { throw 7; }, ErrorCode::InternalError},
    };
    for (const auto& h : handlers) {
        for (const auto& f : failures) {
            testing::FakePlatform services;
            services.memoryLoad = 50;
            Form1 gauge(services);
            testing::FakeHost host(gauge);
            host.loadAndShow();
            host.advance(5000);
            services.onMemoryQuery = f.fail;
            services.onSave = [&](const testing::SavedSetting&) { f.fail(); };
            h.act(gauge, host);
            EXPECT_EQ(gauge.lastError(), f.code) << h.handler;

            services.onMemoryQuery = nullptr;
            services.onSave = nullptr;
            services.memoryLoad = 80;
            host.advance(5000);
            EXPECT_EQ(gauge.lbl_MEM.caption(), "80 %") << h.handler << ": still reading";
        }
    }
}

}  // namespace
}  // namespace dialvane
