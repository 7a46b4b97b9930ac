#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/element_painter.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// Counts its own references, so a leak through put() shows.
class Counted : public IUnknown {
public:
    explicit Counted(int& live) : live_(live) { ++live_; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        if (--references_ == 0) {
            --live_;
        }
        return references_;
    }

private:
    int& live_;
    ULONG references_ = 1;
};

TEST(HostPlumbing, PuttingIntoAHeldPointerReleasesWhatItHeld) {
    int live = 0;
    Counted first(live);
    Counted second(live);
    {
        win32::com_ptr<IUnknown> held;
        *held.put() = &first;
        *held.put() = &second;
        EXPECT_EQ(live, 1) << "the first object was released when the second was put";
    }
    EXPECT_EQ(live, 0);
}

class Fonts : public ::testing::Test, protected testing::ProgramServices {};

TEST_F(Fonts, TheFamilyIsPartOfWhatMakesAFont) {
    const win32::WindowScales scales({96, 96});
    const win32::ElementPainter painter(pictures, scales);
    const Font sans{"No Such Face", 9, 400, FontFamily::Sans};
    const Font serif{"No Such Face", 9, 400, FontFamily::Serif};
    EXPECT_EQ(painter.font(sans), painter.font(sans));
    EXPECT_NE(painter.font(sans), painter.font(serif));
}

}  // namespace
}  // namespace dialvane
