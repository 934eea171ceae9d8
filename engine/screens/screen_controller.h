#pragma once

// What a screen does beyond placing its controls by the layout table when
// ShowScreen enters or leaves it, and where the keyboard focus goes when it
// is entered.

class QWidget;

namespace zentrix::engine {

class ScreenController {
public:
    virtual ~ScreenController() = default;
    // After the table's controls are placed and shown.
    virtual void Entered() {}
    // After the table's controls are hidden and parked.
    virtual void Left() {}
    // The control that takes the focus on entry; null keeps it where it is.
    virtual QWidget* FocusOnEntry() const { return nullptr; }
};

}  // namespace zentrix::engine
