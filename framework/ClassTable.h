// Class tables: what each class registers with the runtime. A table names the
// class and its superclass, holds its finaliser, its virtual operations by name in
// slot order, its event table with the class's bindings, its declared properties,
// its introspection entries and attributes. Tables are built once and live until
// the process ends.
#pragma once

#include "Object.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct Attribute {
    std::string name;
    std::string value;  // empty for a bare attribute such as "Hidden"
};

struct PropertyDecl {
    std::string name;
    std::string type;
    std::string scope = "Public";
};

struct MethodEntry {
    std::string name;
    std::string signature;  // "%%", "%b%", "%o<PushButton>%s" ...
    std::vector<Attribute> attributes;
};

// An event is raised by calling the method bound to its name.
using EventHandler = std::function<void(Object& self)>;

struct EventBinding {
    std::string event;
    EventHandler handler;
};

// A window operation that handles a control's event: entered with the window and
// the control that raised the event.
using ControlOperation = std::function<void(Object& self, Object& sender)>;

// An interface the class implements: its name and, in the interface's order, the
// virtual operations that carry out its operations.
struct InterfaceDecl {
    std::string name;
    std::vector<std::string> operations;
};

struct NamedOperation {
    std::string name;
    ControlOperation operation;
};

struct ClassTable {
    std::string name;
    ClassRef super = nullptr;
    std::function<Object*()> factory;          // makes the object; no constructor of the system runs
    std::function<void(Object&)> finaliser;    // __Exit: releases the declared object properties
    std::vector<std::string> vtable;           // virtual operations in slot order
    std::vector<std::string> events;           // the event table's names, in order
    std::vector<EventBinding> bindings;
    std::vector<NamedOperation> operations;    // the control-event handlers among the virtual operations
    std::vector<PropertyDecl> properties;
    std::vector<MethodEntry> methods;
    std::vector<Attribute> attributes;
    std::vector<InterfaceDecl> interfaces;

    bool IsA(ClassRef other) const;
    // The handler bound to an event here or in a superclass, or null.
    const EventHandler* Binding(std::string_view event) const;
    const MethodEntry* Method(std::string_view name) const;
    // The control-event handler of that name here or in a superclass, or null.
    const ControlOperation* Operation(std::string_view name) const;
    // The interface of that name as declared here or in a superclass, or null.
    const InterfaceDecl* Interface(std::string_view name) const;

    // Builder helpers.
    void Override(std::string_view operation);  // keeps the slot, marks nothing: the C++ override does the work
    void AddVirtual(std::string_view operation) { vtable.emplace_back(operation); }
    // A virtual operation that handles control events, found again by its name.
    template <class W>
    void AddVirtual(std::string_view operation, void (W::*method)(Object& sender)) {
        AddVirtual(operation);
        operations.push_back({std::string(operation), [method](Object& self, Object& sender) {
                                  (static_cast<W&>(self).*method)(sender);
                              }});
    }
    void Bind(std::string_view event, EventHandler handler);
    void AddMethod(std::string_view name, std::string_view signature, std::vector<Attribute> attributes = {{"__Scope", "Public"}});
    // Each operation must already be one of the class's virtual operations.
    void AddInterface(std::string_view interfaceName, std::vector<std::string> operations);
    void AddProperty(std::string_view name, std::string_view type) { properties.push_back({std::string(name), std::string(type)}); }
};

// A new, empty table that inherits the superclass's virtual table and event names.
ClassTable* RuntimeNewClass(ClassRef super);

// Builds a class table once. The reference is stored before the table is filled,
// so that a lookup of the class during the build returns it.
template <class Fill>
ClassRef BuildClassTable(ClassTable*& slot, ClassRef (*superLookup)(), Fill&& fill) {
    if (slot) return slot;
    ClassRef super = superLookup ? superLookup() : nullptr;
    ClassTable* table = RuntimeNewClass(super);
    slot = table;
    fill(*table);
    return table;
}

template <class T>
std::function<Object*()> FactoryOf() {
    return [] { return static_cast<Object*>(new T()); };
}

// A new object of the class. Its declared properties start nil, False or 0.
Ref<Object> RuntimeNewObject(ClassRef cls);

template <class T>
Ref<T> RuntimeNewObject() {
    Ref<Object> o = RuntimeNewObject(T::Lookup());
    return Ref<T>(static_cast<T*>(o.get()));
}

// The object as T when it is of T's class or a subclass of it, else nil.
template <class T, class U>
Ref<T> RuntimeCheckCast(const Ref<U>& o) {
    if (!o || !o->Class() || !o->Class()->IsA(T::Lookup())) return nullptr;
    return Ref<T>(static_cast<T*>(static_cast<Object*>(o.get())));
}
template <class T>
Ref<T> RuntimeCheckCast(Object* o) { return RuntimeCheckCast<T>(Ref<Object>(o)); }

// Raises the event: calls the method its class binds to the name. False when unbound.
bool RaiseEvent(Object& o, std::string_view event);

// Introspection: every table built so far, and one by class name.
const std::vector<ClassRef>& AllClasses();
ClassRef FindClass(std::string_view name);
void ReleaseIntrospectionMaps();

// The root of all classes.
ClassRef ObjectClass();

}  // namespace qv
