#pragma once

namespace dialvane {

class Element;

enum class FormAspect { Caption, Position, Size, Visible, Background, SteppedAside };

// How the model tells its host what to bring up to date; the host repaints from the model.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void elementChanged(const Element& element) = 0;
    virtual void formChanged(FormAspect aspect) = 0;
    // The program asked to close its window (the host then runs the unload event).
    virtual void unloadRequested() = 0;
};

}  // namespace dialvane
