// Reference-counted runtime objects and the Ref<T> handle that owns one reference.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace qv {

struct ClassTable;
using ClassRef = const ClassTable*;

class Object {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    ClassRef Class() const { return class_; }
    int32_t RefCount() const { return count_.load(std::memory_order_relaxed); }

    // Objects that own widgets must die on the GUI thread; the runtime defers
    // their deletion there when the last reference goes elsewhere.
    virtual bool GuiAffine() const { return false; }

protected:
    virtual ~Object() = default;

private:
    friend void RuntimeLockObject(const Object*);
    friend void RuntimeUnlockObject(const Object*);
    friend void DestroyObject(Object*);
    friend void AttachClass(Object&, ClassRef);

    mutable std::atomic<int32_t> count_{0};
    ClassRef class_ = nullptr;
};

void RuntimeLockObject(const Object* o);
void RuntimeUnlockObject(const Object* o);
// Runs the class finalisers from the object's own class up, then frees it.
void DestroyObject(Object* o);
void AttachClass(Object& o, ClassRef cls);

// An owning, counted reference. Releases on every path out of its scope.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(T* p) : p_(p) { if (p_) RuntimeLockObject(p_); }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(Ref<U>&& o) noexcept : p_(o.release()) {}
    ~Ref() { if (p_) RuntimeUnlockObject(p_); }

    Ref& operator=(Ref o) noexcept { std::swap(p_, o.p_); return *this; }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* release() { return std::exchange(p_, nullptr); }

    friend bool operator==(const Ref& a, const Ref& b) { return a.p_ == b.p_; }
    friend bool operator==(const Ref& a, std::nullptr_t) { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

template <class T>
Ref<T> MakeRef(T* p) { return Ref<T>(p); }

}  // namespace qv
