// The runtime's exception classes. Every failure of the runtime is one of these.
#pragma once

#include <stdexcept>
#include <string>

namespace qv {

class RuntimeException : public std::runtime_error {
public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    virtual const char* ClassName() const { return "RuntimeException"; }
};

class NilObjectException : public RuntimeException {
public:
    NilObjectException() : RuntimeException("an object reference was nil") {}
    const char* ClassName() const override { return "NilObjectException"; }
};

// Raised by the property-list reader for input it cannot read safely.
class PropertyListException : public RuntimeException {
public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const override { return "PropertyListException"; }
};

[[noreturn]] void RaiseNilObjectException();
// Passes the exception being handled on to the caller.
[[noreturn]] void RuntimeReraiseException();

// Reaching through a reference tests it first.
template <class P>
P& NotNil(P& p) {
    if (!p) RaiseNilObjectException();
    return p;
}
template <class P>
const P& NotNil(const P& p) {
    if (!p) RaiseNilObjectException();
    return p;
}

// The name under which an exception is reported: its runtime class, or the C++ type for others.
std::string ExceptionClassName(const std::exception& e);

}  // namespace qv
