#include "tests/support/fake_host.h"

#include <algorithm>

#include "framework/command_button.h"

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

void FakeHost::loadAndShow() {
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

void FakeHost::type(TextBox& box, std::int16_t code) {
    constexpr std::int16_t enter = 13;
    constexpr std::int16_t backspace = 8;
    if (code == enter) {
        for (const Element* element : form_.elements()) {
            if (element->kind() != ElementKind::CommandButton) {
                continue;
            }
            const auto& button = static_cast<const CommandButton&>(*element);
            if (button.isDefault() && button.onClick) {
                form_.raise(button.onClick);
                return;
            }
        }
    }
    if (box.onKeyPress) {
        form_.raise([&] { box.onKeyPress(code); });
        if (code == 0) {
            return;
        }
    }
    std::string text = box.text();
    const auto unit = static_cast<std::uint16_t>(code);
    if (unit == backspace) {
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
            text.pop_back();
        }
        if (!text.empty()) {
            text.pop_back();
        }
    } else if (unit < 0x20) {
        return;
    } else if (unit < 0x80) {
        text += static_cast<char>(unit);
    } else if (unit < 0x800) {
        text += static_cast<char>(0xC0 | (unit >> 6));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (unit >> 12));
        text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    }
    form_.raise([&] { box.setText(text); });
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
    if (element.kind() == ElementKind::TextBox) {
        longestBoxText_ =
            std::max(longestBoxText_, static_cast<const TextBox&>(element).text().size());
    }
    if (element.kind() == ElementKind::Timer) {
        reschedule(static_cast<const Timer&>(element));
    }
}

void FakeHost::formChanged(FormAspect aspect) {
    ++formChanges_[aspect];
}

}  // namespace dialvane::testing
