#include "Delegate.h"

namespace qv {

ClassRef Delegate::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Delegate";
        t.factory = FactoryOf<Delegate>();
    });
}

Ref<Delegate> MakeDelegate(Delegate::Entry entry, std::string_view signature) {
    auto d = RuntimeNewObject<Delegate>();
    d->Init(std::move(entry), std::string(signature));
    return d;
}

}  // namespace qv
