#include "engine/screens/control_registry.h"

#include <QWidget>
#include <cassert>

namespace zentrix::engine {

void ControlRegistry::add(const char* name, QWidget* control) {
    const bool added = controls_.emplace(name, control).second;
    assert(added && "a control name is registered once");
    (void)added;
    control->setObjectName(QString::fromLatin1(name));
}

QWidget* ControlRegistry::find(const char* name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

}  // namespace zentrix::engine
