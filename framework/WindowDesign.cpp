#include "WindowDesign.h"

#include "Delegate.h"
#include "Exceptions.h"
#include "Window.h"

#include <algorithm>

namespace qv {

namespace {

ClassRef ClassOf(const ControlDesign& control, const std::vector<ControlSetClass>& sets) {
    if (control.InSet()) {
        for (const ControlSetClass& set : sets)
            if (set.name == control.name) return set.lookup();
    }
    return control.kind->Class();
}

}  // namespace

void BindControlEvent(Window& window, Control& control, std::string_view event, std::string_view operation) {
    const ControlOperation* op = window.Class() ? window.Class()->Operation(operation) : nullptr;
    if (!op) throw RuntimeException("window has no operation " + std::string(operation));
    Window* self = &window;  // the control drops its handlers when it leaves the window
    Ref<Delegate> d = MakeDelegate(EventEntry([self, op](Object& sender) { (*op)(*self, sender); }), "(  )");
    InstallInstanceEventHandler(control, event, d->FunctionEntry<EventEntry>());
}

void BuildControls(Window& window, const WindowDesign& design, const std::vector<ControlSetClass>& sets) {
    for (const ControlDesign& c : design.controls) {
        const std::optional<int32_t> setIndex = c.InSet() ? std::optional<int32_t>(c.index) : std::nullopt;
        Ref<Control> control = CreateControl(window, ClassOf(c, sets), c.name, *c.list, c.textSize, setIndex);
        for (const EventBindingDesign& b : design.bindings)
            if (b.control == c.name) BindControlEvent(window, *control, b.event, b.operation);
    }
}

void AddControlAccessors(ClassTable& table, const WindowDesign& design) {
    std::vector<std::string_view> named;
    for (const ControlDesign& c : design.controls) {
        if (std::find(named.begin(), named.end(), c.name) != named.end()) continue;
        named.push_back(c.name);
        const std::string type = "%o<" + std::string(c.kind->Name()) + ">%s";
        table.AddMethod(c.name, c.InSet() ? type + "i4" : type);
    }
}

}  // namespace qv
