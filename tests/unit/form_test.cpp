#include "framework/form.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "framework/form_observer.h"
#include "framework/label.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

// A form that records every resize reaction together with the size it saw.
class ProbeForm : public Form {
public:
    explicit ProbeForm(Platform& platform)
        : Form(platform), label(*this, {.name = "label"}, {0, 0, 100, 100}, "x", {}) {
        define({.caption = "Probe", .bounds = {0, 0, 1000, 500}});
    }
    void Form_Resize() override { seen.push_back({width(), height()}); }
    void Form_Unload(std::int16_t& cancel) override { cancel = cancelClose; }

    struct Size {
        float width, height;
        bool operator==(const Size&) const = default;
    };
    std::vector<Size> seen;
    std::int16_t cancelClose = 0;
    Label label;
};

class CountingObserver : public FormObserver {
public:
    void elementChanged(const Element&) override { ++elements; }
    void formChanged(FormAspect) override { ++aspects; }
    void unloadRequested() override {}
    int elements = 0;
    int aspects = 0;
};

TEST(FormResize, RunsInsideTheSetterOncePerActualChange) {
    testing::FakePlatform platform;
    ProbeForm form(platform);
    form.setWidth(1200);
    ASSERT_EQ(form.seen.size(), 1U);
    EXPECT_EQ(form.seen[0], (ProbeForm::Size{1200, 500}));  // width already new, height not yet
    form.setHeight(1200);
    ASSERT_EQ(form.seen.size(), 2U);
    EXPECT_EQ(form.seen[1], (ProbeForm::Size{1200, 1200}));
    form.setWidth(1200);
    form.setHeight(1200);
    EXPECT_EQ(form.seen.size(), 2U);  // no change, no reaction
    form.setLeft(99);
    form.setTop(99);
    EXPECT_EQ(form.seen.size(), 2U);  // moving is not resizing
}

TEST(FormObserverTest, HearsOnlyRealChanges) {
    testing::FakePlatform platform;
    ProbeForm form(platform);
    CountingObserver observer;
    form.setObserver(&observer);
    form.label.setCaption("x");
    form.label.setLeft(0);
    EXPECT_EQ(observer.elements, 0);
    form.label.setCaption("y");
    form.label.setVisible(false);
    EXPECT_EQ(observer.elements, 2);
    form.setLeft(5);
    form.setVisible(true);
    EXPECT_EQ(observer.aspects, 2);
}

TEST(FormBackground, NewPictureClearsThePersistentDrawing) {
    testing::FakePlatform platform;
    ProbeForm form(platform);
    form.setPicture(PictureId::DialFace);
    form.paintPicture(PictureId::DialFace, {0, 0, 100, 100});
    EXPECT_FALSE(form.persistentDrawing().has_value());  // auto-redraw off: nothing kept
    form.setAutoRedraw(true);
    form.paintPicture(PictureId::DialFace, {0, 0, 100, 100});
    ASSERT_TRUE(form.persistentDrawing().has_value());
    EXPECT_EQ(form.persistentDrawing()->target.width, 100);
    form.setPicture(PictureId::OptionsBackground);
    EXPECT_FALSE(form.persistentDrawing().has_value());
}

TEST(EventBoundary, ARunTimeErrorEndsTheHandlerNotTheProgram) {
    testing::FakePlatform platform;
    ProbeForm form(platform);
    int stepsDone = 0;
    const bool completed = form.raise([&] {
        ++stepsDone;
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(stepsDone, 1);
    EXPECT_EQ(form.lastError(), ErrorCode::Overflow);
    EXPECT_TRUE(form.raise([] {}));
}

// Not only the program's own run-time errors: nothing a handler throws may end the program.
TEST(EventBoundary, AnyFailureEndsTheHandlerOrTheStepAndNothingMore) {
    const struct {
        const char* what;
        void (*fail)();
        ErrorCode code;
    } cases[] = {
        {"run-time error", [] { throw RuntimeError(ErrorCode::TypeMismatch, "x"); },
         ErrorCode::TypeMismatch},
        {"no memory", [] { throw std::bad_alloc(); }, ErrorCode::OutOfMemory},
        {"library exception", [] { throw std::out_of_range("map::at"); }, ErrorCode::InternalError},
        {"not an exception class", [] { throw 42; }, ErrorCode::InternalError},
    };
    for (const auto& c : cases) {
        testing::FakePlatform platform;
        ProbeForm form(platform);
        std::vector<int> steps;
        EXPECT_FALSE(form.raise([&] {
            steps.push_back(1);
            c.fail();
            steps.push_back(2);
        })) << c.what;
        EXPECT_EQ(form.lastError(), c.code) << c.what;
        skipOnError([&] {
            c.fail();
            steps.push_back(3);
        });
        skipOnError([&] { steps.push_back(4); });
        EXPECT_EQ(steps, (std::vector<int>{1, 4})) << c.what;
    }
}

TEST(EventBoundary, UnloadCanBeCancelled) {
    testing::FakePlatform platform;
    ProbeForm form(platform);
    EXPECT_TRUE(form.queryUnload());
    form.cancelClose = 1;
    EXPECT_FALSE(form.queryUnload());
}

}  // namespace
}  // namespace dialvane
