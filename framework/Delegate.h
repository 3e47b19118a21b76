// Delegates: a method bound to an object, from which the runtime takes a function entry.
#pragma once

#include "ClassTable.h"
#include "Exceptions.h"
#include "Object.h"

#include <functional>
#include <string>
#include <string_view>
#include <variant>

namespace qv {

// What a control event handler receives: the control that raised the event.
using EventEntry = std::function<void(Object& sender)>;
// What a menu handler is: it answers whether it handled the command.
using MenuEntry = std::function<bool()>;
using PlainEntry = std::function<void()>;

enum class Thunk { Invoke, IM_Invoke };

class Delegate : public Object {
public:
    static ClassRef Lookup();

    using Entry = std::variant<PlainEntry, EventEntry, MenuEntry>;
    void Init(Entry entry, std::string signature) {
        entry_ = std::move(entry);
        signature_ = std::move(signature);
    }
    const std::string& Signature() const { return signature_; }

    // The function entry in the form F; asking for another form is an error.
    template <class F>
    const F& FunctionEntry() const {
        if (auto* f = std::get_if<F>(&entry_)) return *f;
        throw RuntimeException("delegate of signature \"" + signature_ + "\" has no entry of that form");
    }

private:
    Entry entry_;
    std::string signature_;
};

Ref<Delegate> MakeDelegate(Delegate::Entry entry, std::string_view signature);

// A delegate for a free function: Thunk::Invoke, no object.
inline Ref<Delegate> RuntimeCreateDelegate(Thunk, void (*fn)(), std::nullptr_t, std::string_view signature) {
    return MakeDelegate(PlainEntry(fn), signature);
}

// A control event handler bound to its window: entered with the control.
template <class W>
Ref<Delegate> RuntimeCreateDelegate(Thunk, void (W::*method)(Object&), W* object, std::string_view signature) {
    if (!object) RaiseNilObjectException();
    return MakeDelegate(EventEntry([object, method](Object& sender) { (object->*method)(sender); }), signature);
}

// A menu handler bound to its window or application.
template <class W>
Ref<Delegate> RuntimeCreateDelegate(Thunk, bool (W::*method)(), W* object, std::string_view signature) {
    if (!object) RaiseNilObjectException();
    return MakeDelegate(MenuEntry([object, method] { return (object->*method)(); }), signature);
}

}  // namespace qv
