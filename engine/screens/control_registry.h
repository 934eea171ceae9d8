#pragma once

// The controls of the main window by the names the screen layout tables use.
// Each screen controller adds the controls it creates; ShowScreen places and
// parks them through this registry, so no control is ever looked up by a
// guessed name or type.

#include <QString>
#include <map>
#include <string>

class QWidget;

namespace zentrix::engine {

class ControlRegistry {
public:
    // Names the control and registers it; a name is registered once.
    void add(const char* name, QWidget* control);
    // Null when no control has that name.
    QWidget* find(const char* name) const;
    const std::map<std::string, QWidget*>& all() const { return controls_; }

private:
    std::map<std::string, QWidget*> controls_;
};

}  // namespace zentrix::engine
