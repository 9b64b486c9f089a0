// A host item observer of one panel, shared by every control of one type code.
#pragma once

namespace DG {
class Panel;
}

namespace tarnwick {

class DialogControl;

class ControlObserver {
public:
    virtual ~ControlObserver() = default;
    // Observes the control's host item, when the control has one.
    virtual void attach(DG::Panel& panel, DialogControl& control) = 0;
};

} // namespace tarnwick
