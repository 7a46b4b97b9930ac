#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "framework/form.h"
#include "framework/form_observer.h"
#include "framework/pointer_router.h"
#include "framework/text_box.h"
#include "framework/timer.h"

namespace dialvane::testing {

// Stands in for the window system: watches a form, counts what changed and fires its timers
// in virtual time, so whole sweeps run in microseconds.
class FakeHost : public FormObserver {
public:
    static constexpr WindowHandle window = 0x00120034;

    explicit FakeHost(Form& form);
    ~FakeHost() override;
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // What the real host does once its window exists.
    void loadAndShow();
    // Closing the window by any means: Form_Unload, then the window is gone unless cancelled.
    bool close();

    // Runs virtual time forward, firing every timer tick that falls due, in time order.
    void advance(std::int64_t milliseconds);
    // Runs until the given timer ticks once (or the limit passes); false when it never did.
    bool runUntilTick(const Timer& timer, std::int64_t limitMilliseconds = 60'000);
    std::int64_t now() const { return now_; }

    // The pointer over the window, routed as the real host routes it. Buttons: 1, 2, 4.
    PointerRouter& pointer() { return pointer_; }
    void press(std::int16_t button, float x, float y) { pointer_.press(button, 0, x, y); }
    void move(std::int16_t held, float x, float y) { pointer_.move(held, 0, x, y); }
    void release(std::int16_t button, float x, float y) { pointer_.release(button, 0, x, y); }
    // Press and release where nothing moves.
    void click(std::int16_t button, float x, float y);
    // A left double-click as Windows delivers it: press, release, double-click, release.
    void doubleClick(float x, float y);
    // A character typed into a text box with the caret at its end, as the real host's edit
    // box takes it: Enter clicks the default button, everything else passes the box's key
    // filter first; backspace deletes, control codes do nothing, the rest is inserted.
    void type(TextBox& box, std::int16_t code);

    int changesOf(const Element& element) const;
    int changesOf(FormAspect aspect) const;
    void forgetChanges();
    int unloadRequests() const { return unloadRequests_; }
    int ticksOf(const Timer& timer) const;
    // The longest text any text box held, in bytes: a real host hands each one to an edit box.
    std::size_t longestBoxText() const { return longestBoxText_; }

    void elementChanged(const Element& element) override;
    void formChanged(FormAspect aspect) override;
    void unloadRequested() override { ++unloadRequests_; }

private:
    struct Schedule {
        std::int64_t due = 0;
        bool enabled = false;
        std::int32_t interval = 0;
        std::uint64_t generation = 0;
    };
    void reschedule(const Timer& timer);
    const Timer* nextDue(std::int64_t limit) const;

    Form& form_;
    PointerRouter pointer_{form_};
    std::int64_t now_ = 0;
    std::map<const Timer*, Schedule> timers_;
    std::map<const Element*, int> elementChanges_;
    std::map<FormAspect, int> formChanges_;
    std::map<const Timer*, int> ticks_;
    int unloadRequests_ = 0;
    std::size_t longestBoxText_ = 0;
};

}  // namespace dialvane::testing
