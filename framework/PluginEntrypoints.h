// The plug-in entry-point table. A plug-in control makes its native parts only
// through entries looked up here by member signature, so the control's class does
// not depend on where the code that draws it lives.
#pragma once

#include <string_view>

namespace qv {

// Entries are stored untyped; the signature says what the entry really is.
using PluginEntry = void (*)();

void AddPluginEntrypoint(std::string_view signature, PluginEntry entry);
// The entry registered under the signature, or null.
PluginEntry FindPluginEntrypoint(std::string_view signature);

template <class Fn>
Fn PluginEntrypoint(std::string_view signature) {
    return reinterpret_cast<Fn>(FindPluginEntrypoint(signature));
}

// The framework's own plug-ins, which InitPluginEntrypoints registers.
void AddSeparatorEntrypoints();

}  // namespace qv
