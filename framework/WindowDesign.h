// A window's design as the framework builds it: the window's own property list and
// its controls in creation order, each with its kind, name, index and list, and the
// bindings of control events to the window's operations.
#pragma once

#include "ClassTable.h"
#include "PropertyKind.h"

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class Window;

struct ControlDesign {
    const PropertyKind* kind = nullptr;
    std::string name;
    int32_t index = INT32_MIN;  // a control-set member's index; INT32_MIN outside any set
    std::optional<int32_t> tabIndex;
    std::optional<float> textSize;                // set before the list, on text-bearing kinds
    std::shared_ptr<const std::string> list;      // one list may serve several windows

    bool InSet() const { return index != INT32_MIN; }
};

struct EventBindingDesign {
    std::string control;    // the control's name (every member, for a control set)
    std::string event;      // "Action", "ValueChanged"
    std::string operation;  // the window's virtual operation that handles it
};

struct WindowDesign {
    std::string list;
    std::vector<ControlDesign> controls;
    std::vector<EventBindingDesign> bindings;
};

// The class of a control set's members, by the set's name.
struct ControlSetClass {
    std::string_view name;
    ClassRef (*lookup)();
};

// Builds every control of the design into the window, in its order: made through
// the window, constructed (a set member with its index), added under its name, found
// again, TextSize and TextUnit 0 for a text-bearing kind, its list applied, then its
// event bindings. A control set's members are made from the set's class.
void BuildControls(Window& window, const WindowDesign& design, const std::vector<ControlSetClass>& sets = {});

// The class table's control accessors: one per control name, in creation order,
// typed by the control's kind; one per control set, taking an index.
void AddControlAccessors(ClassTable& table, const WindowDesign& design);

}  // namespace qv
