#include "ClassTable.h"

#include "Exceptions.h"

#include <algorithm>
#include <map>
#include <memory>

namespace qv {
namespace {

struct Registry {
    std::vector<std::unique_ptr<ClassTable>> owned;
    std::vector<ClassRef> all;
    std::map<std::string, ClassRef, std::less<>> byName;
};

// Never destroyed: objects held by module-level references are released during the
// process's exit, and each one's finaliser still needs its class table then.
Registry& registry() {
    static Registry& r = *new Registry;
    return r;
}

}  // namespace

bool ClassTable::IsA(ClassRef other) const {
    for (ClassRef c = this; c; c = c->super)
        if (c == other) return true;
    return false;
}

const EventHandler* ClassTable::Binding(std::string_view event) const {
    for (ClassRef c = this; c; c = c->super)
        for (const auto& b : c->bindings)
            if (b.event == event) return &b.handler;
    return nullptr;
}

const MethodEntry* ClassTable::Method(std::string_view n) const {
    for (const auto& m : methods)
        if (m.name == n) return &m;
    return nullptr;
}

const ControlOperation* ClassTable::Operation(std::string_view n) const {
    for (ClassRef c = this; c; c = c->super)
        for (const auto& op : c->operations)
            if (op.name == n) return &op.operation;
    return nullptr;
}

const InterfaceDecl* ClassTable::Interface(std::string_view n) const {
    for (ClassRef c = this; c; c = c->super)
        for (const auto& i : c->interfaces)
            if (i.name == n) return &i;
    return nullptr;
}

void ClassTable::Override(std::string_view operation) {
    if (std::find(vtable.begin(), vtable.end(), operation) == vtable.end())
        throw RuntimeException("class " + name + " overrides " + std::string(operation) + ", which its superclass lacks");
}

void ClassTable::Bind(std::string_view event, EventHandler handler) {
    if (std::find(events.begin(), events.end(), event) == events.end())
        throw RuntimeException("class " + name + " binds " + std::string(event) + ", which is not one of its events");
    bindings.push_back({std::string(event), std::move(handler)});
}

void ClassTable::AddMethod(std::string_view n, std::string_view signature, std::vector<Attribute> attributes) {
    methods.push_back({std::string(n), std::string(signature), std::move(attributes)});
}

void ClassTable::AddInterface(std::string_view interfaceName, std::vector<std::string> operations) {
    for (const std::string& op : operations) {
        if (std::find(vtable.begin(), vtable.end(), op) == vtable.end())
            throw RuntimeException("class " + name + " binds " + std::string(interfaceName) + " to " + op +
                                   ", which is not one of its operations");
    }
    interfaces.push_back({std::string(interfaceName), std::move(operations)});
}

ClassTable* RuntimeNewClass(ClassRef super) {
    auto table = std::make_unique<ClassTable>();
    table->super = super;
    if (super) {
        table->vtable = super->vtable;
        table->events = super->events;
    }
    ClassTable* raw = table.get();
    registry().owned.push_back(std::move(table));
    registry().all.push_back(raw);
    return raw;
}

Ref<Object> RuntimeNewObject(ClassRef cls) {
    if (!cls) RaiseNilObjectException();
    if (!cls->factory) throw RuntimeException("class " + cls->name + " cannot make objects");
    Object* o = cls->factory();
    AttachClass(*o, cls);
    return Ref<Object>(o);
}

bool RaiseEvent(Object& o, std::string_view event) {
    if (!o.Class()) return false;
    const EventHandler* h = o.Class()->Binding(event);
    if (!h) return false;
    (*h)(o);
    return true;
}

const std::vector<ClassRef>& AllClasses() { return registry().all; }

ClassRef FindClass(std::string_view n) {
    auto& r = registry();
    if (auto it = r.byName.find(n); it != r.byName.end()) return it->second;
    // Names are filled in after a table is made, so the map is brought up to date on demand.
    for (ClassRef c : r.all) r.byName.emplace(c->name, c);
    auto it = r.byName.find(n);
    return it == r.byName.end() ? nullptr : it->second;
}

void ReleaseIntrospectionMaps() { registry().byName.clear(); }

ClassRef ObjectClass() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, nullptr, [](ClassTable& t) { t.name = "Object"; });
}

}  // namespace qv
