// The golden bytes of the design lists: every window's own list and each of its
// controls' lists, one record each, kept as text beside the tests. A record opens
// with a line "window control index kind" ("-" for no control, for no index), and
// each entry of the list follows on an indented line of its own: the entry's name,
// the space that ends a name in the list, and the value's bytes in hex. The list is
// those lines' bytes joined, so a change to one entry is a change to one line.
#pragma once

#include "framework/PropertyKind.h"
#include "framework/PropertyList.h"
#include "framework/WindowDesign.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace qv::golden {

struct GoldenList {
    std::string window;
    std::string control;  // empty for the window's own list
    int32_t index = INT32_MIN;
    const PropertyKind* kind = nullptr;
    std::string bytes;

    // "qaWindow rb3 (index 2)", "mWindow CheckBox3", "srWindow (its own list)".
    std::string Where() const;
    bool SameList(const GoldenList& other) const {
        return window == other.window && control == other.control && index == other.index;
    }
};

// The window's lists as its design holds them, its own first, then its controls' in
// creation order.
std::vector<GoldenList> ListsOf(std::string_view window, const WindowDesign& design);

// Raises std::runtime_error naming the line for a record that cannot be read.
std::vector<GoldenList> ReadGoldenLists(std::istream& in);
void WriteGoldenLists(std::ostream& out, const std::vector<GoldenList>& lists);

// The data kept beside the tests, read once.
const std::vector<GoldenList>& GoldenData();
// The record of that list; raises std::out_of_range when there is none.
const GoldenList& GoldenListOf(std::string_view window, std::string_view control, int32_t index = INT32_MIN);

std::string Hex(std::string_view bytes);
// A value as a reader would write it, with its type: "Int32 20", "String \"OK\"".
std::string Show(const PropertyValue& value);

// A list decoded with its kind, looked up by entry name.
class Decoded {
public:
    Decoded(std::string_view list, const PropertyKind& kind) : entries_(DecodePropertyList(list, kind)) {}
    explicit Decoded(const ControlDesign& control) : Decoded(*control.list, *control.kind) {}
    explicit Decoded(const GoldenList& golden) : Decoded(golden.bytes, *golden.kind) {}

    const std::vector<PropertyEntry>& Entries() const { return entries_; }
    std::vector<std::string> Names() const;
    bool Has(std::string_view name) const;
    // Raise std::out_of_range for an entry the list lacks.
    const PropertyValue& Get(std::string_view name) const;
    int32_t Int(std::string_view name) const { return std::get<int32_t>(Get(name)); }
    bool Bool(std::string_view name) const { return std::get<bool>(Get(name)); }
    const std::string& Text(std::string_view name) const { return std::get<std::string>(Get(name)); }

private:
    std::vector<PropertyEntry> entries_;
};

}  // namespace qv::golden
