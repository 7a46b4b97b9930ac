#include "framework/form.h"

#include "framework/form_observer.h"

namespace dialvane {

Form::Form(Platform& platform) : platform_(platform) {}

void Form::define(const Design& design) {
    caption_ = design.caption;
    left_ = design.bounds.left;
    top_ = design.bounds.top;
    width_ = design.bounds.width;
    height_ = design.bounds.height;
    backColor_ = design.backColor;
}

void Form::setLeft(float value) {
    if (value != left_) {
        left_ = value;
        notify(FormAspect::Position);
    }
}

void Form::setTop(float value) {
    if (value != top_) {
        top_ = value;
        notify(FormAspect::Position);
    }
}

void Form::setWidth(float value) {
    if (value != width_) {
        width_ = value;
        notify(FormAspect::Size);
        Form_Resize();
    }
}

void Form::setHeight(float value) {
    if (value != height_) {
        height_ = value;
        notify(FormAspect::Size);
        Form_Resize();
    }
}

void Form::setVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        notify(FormAspect::Visible);
    }
}

void Form::setSteppedAside(bool aside) {
    if (aside != steppedAside_) {
        steppedAside_ = aside;
        notify(FormAspect::SteppedAside);
    }
}

void Form::setPicture(PictureId picture) {
    picture_ = picture;
    drawing_.reset();
    notify(FormAspect::Background);
}

void Form::paintPicture(PictureId picture, Bounds target) {
    if (!autoRedraw_) {
        return;
    }
    drawing_ = StretchedPicture{picture, target};
    notify(FormAspect::Background);
}

void Form::unload() {
    if (observer_ != nullptr) {
        observer_->unloadRequested();
    }
}

void Form::loadAndShow() {
    raise([this] { Form_Load(); });
    setVisible(true);
    raise([this] { Form_Resize(); });
}

bool Form::queryUnload() {
    std::int16_t cancel = 0;
    raise([this, &cancel] { Form_Unload(cancel); });
    return cancel == 0;
}

void Form::Form_MouseDown(std::int16_t, std::int16_t, float, float) {}
void Form::Form_MouseMove(std::int16_t, std::int16_t, float, float) {}
void Form::Form_MouseUp(std::int16_t, std::int16_t, float, float) {}

std::string Form::accessibleNameOf(const Element&) const {
    return {};
}

void Form::notify(const Element& element) const {
    if (observer_ != nullptr) {
        observer_->elementChanged(element);
    }
}

void Form::notify(FormAspect aspect) const {
    if (observer_ != nullptr) {
        observer_->formChanged(aspect);
    }
}

}  // namespace dialvane
