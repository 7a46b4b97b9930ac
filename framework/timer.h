#pragma once

#include <cstdint>
#include <functional>

#include "framework/element.h"

namespace dialvane {

// While enabled, ticks every interval milliseconds on the user-interface thread.
class Timer : public Element {
public:
    Timer(Form& form, Definition definition, bool enabled, std::int32_t interval)
        : Element(form, ElementKind::Timer, withEnabled(std::move(definition), enabled)),
          interval_(interval) {}

    std::int32_t interval() const { return interval_; }
    void setInterval(std::int32_t milliseconds) { assign(interval_, milliseconds); }

    std::function<void()> onTick;

private:
    static Definition withEnabled(Definition definition, bool enabled) {
        definition.enabled = enabled;
        definition.visible = false;
        return definition;
    }
    std::int32_t interval_;
};

}  // namespace dialvane
