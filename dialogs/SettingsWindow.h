// What the five settings windows share: the class shape, building from the window's
// design, the implicit instance, and the OK and Cancel buttons, which both close the
// window (OK does not apply and Cancel does not undo: nothing reads these windows).
#pragma once

#include "Framework.h"

#include <string>
#include <vector>

namespace quil {

// A settings window's own virtual operation that handles control events.
struct SettingsOperation {
    std::string name;
    qv::ControlOperation operation;
};

template <class W>
class SettingsWindow : public qv::Window {
public:
    // The implicit instance: the open window, or a newly built one.
    static qv::Ref<W> Instance() { return qv::ImplicitInstance<W>(); }

    void Layout() { qv::SetProperties(*this, W::Design().list); }
    void CreateControls() { static_cast<W&>(*this).CreateControls0(); }
    void CreateControls0() { qv::BuildControls(*this, W::Design(), W::ControlSets()); }
    void mOK_Action(qv::Object& sender) { CloseInstance(sender); }
    void mCancel_Action(qv::Object& sender) { CloseInstance(sender); }

    // The control sets of the window; none unless the window declares its own.
    static std::vector<qv::ControlSetClass> ControlSets() { return {}; }

protected:
    // Layout, CreateControls and _CreateControls0, the OK and Cancel handlers, then
    // the window's own operations; one accessor per control from its design.
    static qv::ClassRef BuildTable(qv::ClassTable*& slot, const char* className,
                                   const std::vector<SettingsOperation>& own = {}) {
        return qv::BuildClassTable(slot, qv::Window::Lookup, [&](qv::ClassTable& t) {
            t.name = className;
            t.factory = qv::FactoryOf<W>();
            t.attributes.push_back({"__Scope", "Public"});
            for (const char* op : {"Layout", "CreateControls", "_CreateControls0"}) t.AddVirtual(op);
            t.AddVirtual("mOK_Action", &W::mOK_Action);
            t.AddVirtual("mCancel_Action", &W::mCancel_Action);
            for (const SettingsOperation& op : own) {
                t.AddVirtual(op.name);
                t.operations.push_back({op.name, op.operation});
            }
            t.Bind("Layout", [](qv::Object& self) { static_cast<W&>(self).Layout(); });
            t.Bind("CreateControls", [](qv::Object& self) { static_cast<W&>(self).CreateControls(); });
            t.AddMethod("Layout", "%%");
            t.AddMethod("CreateControls", "%%");
            t.AddMethod("_CreateControls0", "%%", {{"__Scope", "Public"}, {"Hidden", ""}});
            qv::AddControlAccessors(t, W::Design());
            t.AddMethod("mOK_Action", "%%");
            t.AddMethod("mCancel_Action", "%%");
            for (const SettingsOperation& op : own) t.AddMethod(op.name, "%%");
        });
    }

private:
    static void CloseInstance(qv::Object& sender) {
        auto [Self, Me] = qv::RuntimeSwapSelfAndMe<W, qv::PushButton>(sender);
        qv::NotNil(Instance())->Close();
    }
};

}  // namespace quil
