#include "Exceptions.h"

#include <exception>

namespace qv {

void RaiseNilObjectException() { throw NilObjectException(); }

void RuntimeReraiseException() { throw; }

std::string ExceptionClassName(const std::exception& e) {
    if (auto* r = dynamic_cast<const RuntimeException*>(&e)) return r->ClassName();
    return "std::exception";
}

}  // namespace qv
