// The property-list byte format: a run of entries "Name" 0x20 value, with no
// header and no terminator. Int32 is 4 bytes big-endian, Boolean 1 byte,
// Color 3 bytes (r, g, b), String a 4-byte big-endian byte count then UTF-8.
#pragma once

#include "Color.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv {

class Object;

enum class PropertyType { Int32, Boolean, Color, String };

using PropertyValue = std::variant<int32_t, bool, Color, std::string>;

struct PropertyEntry {
    std::string name;
    PropertyValue value;
};

// The type of a property, fixed by its name; `Value` takes the target's kind.
// Empty for a name that no list may carry.
std::optional<PropertyType> PropertyTypeOf(std::string_view name, PropertyType valueType);

class PropertyListWriter {
public:
    PropertyListWriter& Int32(std::string_view name, int32_t value);
    PropertyListWriter& Boolean(std::string_view name, bool value);
    PropertyListWriter& Colour(std::string_view name, Color value);
    PropertyListWriter& String(std::string_view name, std::string_view value);
    PropertyListWriter& Entry(const PropertyEntry& entry);

    const std::string& Bytes() const { return bytes_; }

private:
    void Name(std::string_view name);
    std::string bytes_;
};

// Reads one entry after the other and hands each to `apply` as soon as it is read.
// Raises PropertyListException naming the entry for a truncated value, a count past
// the end, a name without its space, an empty name or a name of unknown type; nothing
// after that entry is read.
void ReadPropertyList(std::string_view list, PropertyType valueType,
                      const std::function<void(const PropertyEntry&)>& apply);
std::vector<PropertyEntry> DecodePropertyList(std::string_view list, PropertyType valueType);

// Something whose properties a list can set: windows and controls.
class PropertyTarget {
public:
    virtual ~PropertyTarget() = default;
    // Applies one entry as its setter would; false when the target has no such property.
    virtual bool SetProperty(const PropertyEntry& entry) = 0;
    virtual PropertyType ValueType() const { return PropertyType::Int32; }
};

// Applies every entry of the list to the target. Entries naming no property of the
// target are ignored.
void SetProperties(Object& target, std::string_view list);

}  // namespace qv
