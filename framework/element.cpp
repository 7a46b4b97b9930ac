#include "framework/element.h"

#include "framework/form.h"

namespace dialvane {

Element::Element(Form& form, ElementKind kind, Definition definition)
    : form_(form),
      kind_(kind),
      name_(std::move(definition.name)),
      container_(definition.container),
      index_(definition.index),
      tabIndex_(definition.tabIndex),
      visible_(definition.visible),
      enabled_(definition.enabled) {
    form_.add(this);
}

void Element::changed() const {
    form_.notify(*this);
}

}  // namespace dialvane
