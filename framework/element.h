#pragma once

#include <string>

namespace dialvane {

class Form;
class Frame;

enum class ElementKind { Label, Image, Line, TextBox, CommandButton, Frame, Timer };

// Any object defined on the window. Elements register with their form on construction and
// report every property change to it; they never draw.
class Element {
public:
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;
    virtual ~Element() = default;

    ElementKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // Member number within an element array, -1 for a plain element.
    int index() const { return index_; }
    // The panel holding the element, nullptr when it sits on the window itself.
    Frame* container() const { return container_; }
    Form& form() const { return form_; }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { assign(visible_, visible); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { assign(enabled_, enabled); }
    // Position in the keyboard focus order, -1 for elements that never take the focus.
    int tabIndex() const { return tabIndex_; }

    struct Definition {
        std::string name{};
        Frame* container = nullptr;
        int index = -1;
        int tabIndex = -1;
        bool visible = true;
        bool enabled = true;
    };

protected:
    Element(Form& form, ElementKind kind, Definition definition);

    // Stores a new value and tells the form, but only when it really changes.
    template <typename T>
    void assign(T& field, const T& value) {
        if (field == value) {
            return;
        }
        field = value;
        changed();
    }
    void changed() const;

private:
    Form& form_;
    ElementKind kind_;
    std::string name_;
    Frame* container_;
    int index_;
    int tabIndex_;
    bool visible_;
    bool enabled_;
};

struct Bounds {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Point {
    float x = 0;
    float y = 0;
};

// An element with a rectangle: everything but the line and the timers.
class Control : public Element {
public:
    float left() const { return bounds_.left; }
    float top() const { return bounds_.top; }
    float width() const { return bounds_.width; }
    float height() const { return bounds_.height; }
    void setLeft(float value) { assign(bounds_.left, value); }
    void setTop(float value) { assign(bounds_.top, value); }
    void setWidth(float value) { assign(bounds_.width, value); }
    void setHeight(float value) { assign(bounds_.height, value); }

protected:
    Control(Form& form, ElementKind kind, Definition definition, Bounds bounds)
        : Element(form, kind, std::move(definition)), bounds_(bounds) {}

private:
    Bounds bounds_;
};

}  // namespace dialvane
