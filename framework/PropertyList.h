// The property-list byte format: a run of entries "Name" 0x20 value, with no
// header and no terminator. Int32 is 4 bytes big-endian, Boolean 1 byte,
// Color 3 bytes (r, g, b), String a 4-byte big-endian byte count then UTF-8.
#pragma once

#include "Color.h"
#include "Object.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qv {

enum class PropertyType { Int32, Boolean, Color, String };

using PropertyValue = std::variant<int32_t, bool, Color, std::string>;

// The type a value is of.
PropertyType TypeOfValue(const PropertyValue& value);

struct PropertyEntry {
    std::string name;
    PropertyValue value;
};

class PropertyKind;

// The type of a property, fixed by its name across every kind; `Value` takes the
// target's kind. Empty for a name that no kind declares.
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
// The same for a list meant for one kind: its own properties first, then any name
// another kind declares (so that it can be stepped over).
void ReadPropertyList(std::string_view list, const PropertyKind& kind,
                      const std::function<void(const PropertyEntry&)>& apply);
std::vector<PropertyEntry> DecodePropertyList(std::string_view list, PropertyType valueType);
std::vector<PropertyEntry> DecodePropertyList(std::string_view list, const PropertyKind& kind);

// Something whose properties a list can set: windows and controls. Its kind
// declares the properties; SetProperty applies one through the kind's setter.
class PropertyTarget : public Object {
public:
    virtual const PropertyKind& TargetKind() const = 0;
    // Applies one entry as its setter would; false when the target has no such property.
    // Raises PropertyListException naming the entry for a value of another type, one
    // outside the property's declared range or one that would make what the property
    // sizes larger than the pixel budget, without applying it; and for any failure of
    // the setter itself.
    bool SetProperty(const PropertyEntry& entry);
    // The entry's current value, read through the kind's getter; empty when the
    // target has no such property.
    std::optional<PropertyValue> GetProperty(std::string_view name) const;

protected:
    // Runs after each entry is applied, to bring the Qt side in line.
    virtual void PropertyApplied(std::string_view name) = 0;
};

// Applies the entries of the list to the target one by one. Entries naming no property
// of the target are ignored. Any failure raises PropertyListException naming the
// entry: the entries before it stay applied, none after it is read.
void SetProperties(Object& target, std::string_view list);

}  // namespace qv
