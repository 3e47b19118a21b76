#include "PropertyList.h"

#include "Exceptions.h"
#include "Object.h"
#include "Picture.h"
#include "PropertyKind.h"

#include <limits>
#include <unordered_map>

namespace qv {

namespace {

constexpr char kSeparator = ' ';

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

uint32_t ReadBigEndian32(std::string_view bytes, size_t at) {
    return (uint32_t(uint8_t(bytes[at])) << 24) | (uint32_t(uint8_t(bytes[at + 1])) << 16) |
           (uint32_t(uint8_t(bytes[at + 2])) << 8) | uint32_t(uint8_t(bytes[at + 3]));
}

void AppendBigEndian32(std::string& bytes, uint32_t value) {
    bytes.push_back(char(value >> 24));
    bytes.push_back(char(value >> 16));
    bytes.push_back(char(value >> 8));
    bytes.push_back(char(value));
}

[[noreturn]] void Fail(size_t offset, std::string_view name, std::string_view problem) {
    std::string message = "property list entry ";
    if (!name.empty()) message += "\"" + std::string(name) + "\" ";
    message += "at byte " + std::to_string(offset) + ": " + std::string(problem);
    throw PropertyListException(message);
}

// Walks a list one entry at a time. Every read checks what is left first, so a
// damaged list ends in an exception and never in a read past its end.
class Reader {
public:
    using TypeOf = std::function<std::optional<PropertyType>(std::string_view)>;
    Reader(std::string_view list, TypeOf typeOf) : list_(list), typeOf_(std::move(typeOf)) {}

    bool AtEnd() const { return pos_ == list_.size(); }

    PropertyEntry Next() {
        const size_t start = pos_;
        const size_t space = list_.find(kSeparator, pos_);
        if (space == std::string_view::npos) Fail(start, {}, "the name has no space after it");
        const std::string_view name = list_.substr(pos_, space - pos_);
        if (name.empty()) Fail(start, {}, "the name is empty");
        for (char c : name) {
            if (!IsNameCharacter(c)) Fail(start, {}, "the name holds a byte that is no letter or digit");
        }
        const std::optional<PropertyType> type = typeOf_(name);
        if (!type) Fail(start, name, "no property of that name has a known type");
        pos_ = space + 1;

        PropertyEntry entry{std::string(name), {}};
        switch (*type) {
        case PropertyType::Int32:
            entry.value = int32_t(ReadBigEndian32(Take(4, start, name), 0));
            break;
        case PropertyType::Boolean:
            entry.value = Take(1, start, name)[0] != 0;
            break;
        case PropertyType::Color: {
            const std::string_view rgb = Take(3, start, name);
            entry.value = Color{uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2])};
            break;
        }
        case PropertyType::String: {
            const uint32_t count = ReadBigEndian32(Take(4, start, name), 0);
            if (count > list_.size() - pos_) Fail(start, name, "the string's byte count runs past the end");
            entry.value = std::string(Take(count, start, name));
            break;
        }
        }
        return entry;
    }

private:
    std::string_view Take(size_t count, size_t start, std::string_view name) {
        if (count > list_.size() - pos_) Fail(start, name, "the value is cut short");
        const std::string_view bytes = list_.substr(pos_, count);
        pos_ += count;
        return bytes;
    }

    std::string_view list_;
    TypeOf typeOf_;
    size_t pos_ = 0;
};

}  // namespace

PropertyType TypeOfValue(const PropertyValue& value) {
    constexpr PropertyType byIndex[] = {PropertyType::Int32, PropertyType::Boolean, PropertyType::Color,
                                        PropertyType::String};
    return byIndex[value.index()];
}

std::optional<PropertyType> PropertyTypeOf(std::string_view name, PropertyType valueType) {
    if (name == "Value") {
        if (valueType == PropertyType::Int32 || valueType == PropertyType::Boolean) return valueType;
        return std::nullopt;
    }
    for (const PropertyKind* kind : AllPropertyKinds())
        if (const PropertyInfo* info = kind->Find(name)) return info->type;
    return std::nullopt;
}

void PropertyListWriter::Name(std::string_view name) {
    bytes_.append(name);
    bytes_.push_back(kSeparator);
}

PropertyListWriter& PropertyListWriter::Int32(std::string_view name, int32_t value) {
    Name(name);
    AppendBigEndian32(bytes_, uint32_t(value));
    return *this;
}

PropertyListWriter& PropertyListWriter::Boolean(std::string_view name, bool value) {
    Name(name);
    bytes_.push_back(value ? 1 : 0);
    return *this;
}

PropertyListWriter& PropertyListWriter::Colour(std::string_view name, Color value) {
    Name(name);
    bytes_.push_back(char(value.red));
    bytes_.push_back(char(value.green));
    bytes_.push_back(char(value.blue));
    return *this;
}

PropertyListWriter& PropertyListWriter::String(std::string_view name, std::string_view value) {
    if (value.size() > std::numeric_limits<uint32_t>::max()) {
        throw PropertyListException("property list entry \"" + std::string(name) +
                                    "\": the string is too long for its byte count");
    }
    Name(name);
    AppendBigEndian32(bytes_, uint32_t(value.size()));
    bytes_.append(value);
    return *this;
}

PropertyListWriter& PropertyListWriter::Entry(const PropertyEntry& entry) {
    struct Put {
        PropertyListWriter& writer;
        const std::string& name;
        void operator()(int32_t v) { writer.Int32(name, v); }
        void operator()(bool v) { writer.Boolean(name, v); }
        void operator()(const Color& v) { writer.Colour(name, v); }
        void operator()(const std::string& v) { writer.String(name, v); }
    };
    std::visit(Put{*this, entry.name}, entry.value);
    return *this;
}

void ReadPropertyList(std::string_view list, PropertyType valueType,
                      const std::function<void(const PropertyEntry&)>& apply) {
    Reader reader(list, [valueType](std::string_view name) { return PropertyTypeOf(name, valueType); });
    while (!reader.AtEnd()) apply(reader.Next());
}

void ReadPropertyList(std::string_view list, const PropertyKind& kind,
                      const std::function<void(const PropertyEntry&)>& apply) {
    Reader reader(list, [&kind](std::string_view name) -> std::optional<PropertyType> {
        if (const PropertyInfo* info = kind.Find(name)) return info->type;
        return PropertyTypeOf(name, kind.ValueType());
    });
    while (!reader.AtEnd()) apply(reader.Next());
}

std::vector<PropertyEntry> DecodePropertyList(std::string_view list, PropertyType valueType) {
    std::vector<PropertyEntry> entries;
    ReadPropertyList(list, valueType, [&](const PropertyEntry& e) { entries.push_back(e); });
    return entries;
}

std::vector<PropertyEntry> DecodePropertyList(std::string_view list, const PropertyKind& kind) {
    std::vector<PropertyEntry> entries;
    ReadPropertyList(list, kind, [&](const PropertyEntry& e) { entries.push_back(e); });
    return entries;
}

bool PropertyTarget::SetProperty(const PropertyEntry& entry) {
    const PropertyInfo* info = TargetKind().Find(entry.name);
    if (!info) return false;
    const auto refuse = [&](const std::string& problem) {
        throw PropertyListException("property \"" + entry.name + "\" of " + std::string(TargetKind().Name()) + " " +
                                    problem);
    };
    if (TypeOfValue(entry.value) != info->type) refuse("takes another type");
    if (info->range) {
        const int32_t v = std::get<int32_t>(entry.value);
        if (v < info->range->low || v > info->range->high)
            refuse("takes " + std::to_string(info->range->low) + " to " + std::to_string(info->range->high) +
                   ", not " + std::to_string(v));
    }
    if (info->paints) {
        const PaintedBox box = info->paints([&](std::string_view name) {
            return std::get<int32_t>(name == entry.name ? entry.value : *GetProperty(name));
        });
        // Divided rather than multiplied, so that no pair of sides overflows.
        if (box.width != 0 && box.height > kPixelBudget / box.width)
            refuse("would make what it paints " + std::to_string(box.width) + " x " + std::to_string(box.height) +
                   " pixels, more than " + std::to_string(kPixelBudget) + " in all");
    }
    // Whatever else a setter raises (an allocation that fails, say) leaves as the
    // reader's own exception, so that a caller needs to expect only that one.
    try {
        info->set(*this, entry.value);
        PropertyApplied(info->name);
    } catch (const PropertyListException&) {
        throw;
    } catch (const std::exception& e) {
        refuse(std::string("could not be applied: ") + ExceptionClassName(e) + ": " + e.what());
    }
    return true;
}

std::optional<PropertyValue> PropertyTarget::GetProperty(std::string_view name) const {
    const PropertyInfo* info = TargetKind().Find(name);
    if (!info) return std::nullopt;
    return info->get(*this);
}

void SetProperties(Object& target, std::string_view list) {
    auto* properties = dynamic_cast<PropertyTarget*>(&target);
    if (!properties) throw RuntimeException("SetProperties: the object takes no property list");
    std::string current;  // the entry being applied, for a failure of the reader itself
    try {
        ReadPropertyList(list, properties->TargetKind(), [&](const PropertyEntry& e) {
            current = e.name;
            properties->SetProperty(e);
        });
    } catch (const PropertyListException&) {
        throw;
    } catch (const std::exception& e) {
        throw PropertyListException("property list after entry \"" + current + "\": " + ExceptionClassName(e) +
                                    ": " + e.what());
    }
}

}  // namespace qv
