#include "Object.h"

#include "ClassTable.h"
#include "GuiThread.h"

#include <cassert>

namespace qv {

void RuntimeLockObject(const Object* o) {
    if (o) o->count_.fetch_add(1, std::memory_order_relaxed);
}

void RuntimeUnlockObject(const Object* o) {
    if (!o) return;
    const int32_t before = o->count_.fetch_sub(1, std::memory_order_acq_rel);
    assert(before > 0 && "released an object that holds no reference");
    if (before != 1) return;
    auto* obj = const_cast<Object*>(o);
    if (obj->GuiAffine() && !OnGuiThread() && PostToGuiThread([obj] { DestroyObject(obj); })) return;
    DestroyObject(obj);
}

void DestroyObject(Object* o) {
    for (ClassRef c = o->class_; c; c = c->super)
        if (c->finaliser) c->finaliser(*o);
    delete o;
}

void AttachClass(Object& o, ClassRef cls) { o.class_ = cls; }

}  // namespace qv
