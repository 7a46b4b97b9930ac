#include "tests/support/fake_host.h"

namespace dialvane::testing {

FakeHost::FakeHost(Form& form) : form_(form) {
    for (const Element* element : form_.elements()) {
        if (element->kind() == ElementKind::Timer) {
            reschedule(static_cast<const Timer&>(*element));
        }
    }
    form_.setObserver(this);
}

FakeHost::~FakeHost() {
    form_.setObserver(nullptr);
}

void FakeHost::start() {
    form_.attachWindow(window);
    form_.loadAndShow();
}

bool FakeHost::close() {
    return form_.queryUnload();
}

void FakeHost::reschedule(const Timer& timer) {
    Schedule& schedule = timers_[&timer];
    const bool running = timer.enabled() && timer.interval() > 0;
    if (running == schedule.enabled && timer.interval() == schedule.interval) {
        return;
    }
    schedule.enabled = running;
    schedule.interval = timer.interval();
    schedule.due = now_ + timer.interval();
    ++schedule.generation;
}

const Timer* FakeHost::nextDue(std::int64_t limit) const {
    const Timer* next = nullptr;
    std::int64_t earliest = limit + 1;
    // Definition order breaks ties, as the map of pointers would not.
    for (const Element* element : form_.elements()) {
        if (element->kind() != ElementKind::Timer) {
            continue;
        }
        const auto& timer = static_cast<const Timer&>(*element);
        const Schedule& schedule = timers_.at(&timer);
        if (schedule.enabled && schedule.due < earliest) {
            earliest = schedule.due;
            next = &timer;
        }
    }
    return next;
}

void FakeHost::advance(std::int64_t milliseconds) {
    const std::int64_t end = now_ + milliseconds;
    while (const Timer* timer = nextDue(end)) {
        Schedule& schedule = timers_.at(timer);
        now_ = schedule.due;
        const std::uint64_t generation = schedule.generation;
        ++ticks_[timer];
        if (timer->onTick) {
            form_.raise(timer->onTick);
        }
        // A timer the tick itself restarted keeps its new schedule.
        if (schedule.generation == generation) {
            schedule.due += schedule.interval;
        }
    }
    now_ = end;
}

bool FakeHost::runUntilTick(const Timer& timer, std::int64_t limitMilliseconds) {
    const int before = ticksOf(timer);
    const std::int64_t end = now_ + limitMilliseconds;
    while (ticksOf(timer) == before) {
        const Timer* next = nextDue(end);
        if (next == nullptr) {
            now_ = end;
            return false;
        }
        advance(timers_.at(next).due - now_);
    }
    return true;
}

void FakeHost::click(std::int16_t button, float x, float y) {
    press(button, x, y);
    release(button, x, y);
}

void FakeHost::doubleClick(float x, float y) {
    click(PointerRouter::leftButton, x, y);
    pointer_.doubleClick(0, x, y);
    release(PointerRouter::leftButton, x, y);
}

int FakeHost::changesOf(const Element& element) const {
    const auto found = elementChanges_.find(&element);
    return found == elementChanges_.end() ? 0 : found->second;
}

int FakeHost::changesOf(FormAspect aspect) const {
    const auto found = formChanges_.find(aspect);
    return found == formChanges_.end() ? 0 : found->second;
}

void FakeHost::forgetChanges() {
    elementChanges_.clear();
    formChanges_.clear();
}

int FakeHost::ticksOf(const Timer& timer) const {
    const auto found = ticks_.find(&timer);
    return found == ticks_.end() ? 0 : found->second;
}

void FakeHost::elementChanged(const Element& element) {
    ++elementChanges_[&element];
    if (element.kind() == ElementKind::Timer) {
        reschedule(static_cast<const Timer&>(element));
    }
}

void FakeHost::formChanged(FormAspect aspect) {
    ++formChanges_[aspect];
}

}  // namespace dialvane::testing
