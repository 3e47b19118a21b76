// A control set of radio buttons: members share the set's Name and are told apart
// by their Index. The window builds each member with Constructor(index); a member
// made the ordinary way, with Constructor(), takes member 0's design values and
// adds itself to its window under the set's name.
#pragma once

#include "Framework.h"
#include "RadioButton.h"

#include <stdexcept>
#include <string>

namespace quil {

// Set supplies kClassName ("eeWindow.rb1"), kSetName ("rb1") and Design(), the
// design of the window that holds the set.
template <class Set>
class RadioSet : public qv::RadioButton {
public:
    static qv::ClassRef Lookup() {
        static qv::ClassTable* ref = nullptr;
        return qv::BuildClassTable(ref, qv::RadioButton::Lookup, [](qv::ClassTable& t) {
            t.name = Set::kClassName;
            t.factory = qv::FactoryOf<Set>();
            t.attributes.push_back({"__Scope", "Private"});
            t.Override("Constructor");
            t.AddVirtual("Constructor(index)");
            t.AddMethod("Constructor(index)", "%%i4");
            t.AddMethod("Constructor", "%%");
            t.AddInterface("bindingPartInterface", {"getBoundPart"});
        });
    }

    void Constructor(int32_t index) override {
        SetIndex(index);
        qv::Control::Constructor();
    }

    void Constructor() override {
        SetTextUnit(0);
        qv::SetProperties(*this, MemberZeroList());
        SetIndex(0);
        qv::Ref<qv::Window> window = qv::NotNil(Window());
        window->AddControl(Set::kSetName, qv::Ref<qv::Control>(this));
        qv::Control::Constructor();
    }

private:
    static const std::string& MemberZeroList() {
        for (const qv::ControlDesign& c : Set::Design().controls)
            if (c.name == Set::kSetName && c.index == 0) return *c.list;
        throw std::logic_error(std::string("the design has no member 0 of ") + Set::kSetName);
    }
};

}  // namespace quil
