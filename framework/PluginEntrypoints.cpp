#include "PluginEntrypoints.h"

#include "Application.h"

#include <map>
#include <string>

namespace qv {

namespace {

std::map<std::string, PluginEntry, std::less<>>& entrypoints() {
    static std::map<std::string, PluginEntry, std::less<>> table;
    return table;
}

}  // namespace

void AddPluginEntrypoint(std::string_view signature, PluginEntry entry) {
    entrypoints().insert_or_assign(std::string(signature), entry);
}

PluginEntry FindPluginEntrypoint(std::string_view signature) {
    auto it = entrypoints().find(signature);
    return it == entrypoints().end() ? nullptr : it->second;
}

void InitPluginEntrypoints() { AddSeparatorEntrypoints(); }

}  // namespace qv
