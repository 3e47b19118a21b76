#include "PropertyKind.h"

#include "Exceptions.h"
#include "Picture.h"

#include <algorithm>

namespace qv {

PropertyKind::PropertyKind(std::string_view name, ClassRef (*lookup)(), std::vector<PropertyInfo> entries,
                           std::string_view textProperty)
    : name_(name), lookup_(lookup), entries_(std::move(entries)), textProperty_(textProperty) {
    for (size_t i = 0; i < entries_.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (entries_[i].name == entries_[j].name)
                throw RuntimeException("kind " + name_ + " declares " + std::string(entries_[i].name) + " twice");
        }
    }
    for (const PropertyInfo& info : entries_) {
        if (!info.range) continue;
        const auto* common = std::get_if<int32_t>(&info.common);
        if (!common || info.range->low > info.range->high || *common < info.range->low || *common > info.range->high)
            throw RuntimeException("kind " + name_ + " bounds " + std::string(info.name) +
                                   " by a range that is empty, not of an Int32 or without its common value");
    }
    // What a property sizes is worked out from the kind's own Int32 properties; with
    // their common values it lies within the budget.
    const Int32Values common = [this](std::string_view name) {
        const PropertyInfo* info = Find(name);
        const auto* value = info ? std::get_if<int32_t>(&info->common) : nullptr;
        if (!value)
            throw RuntimeException("kind " + name_ + " sizes what it paints by " + std::string(name) +
                                   ", which is not an Int32 property of it");
        return *value;
    };
    for (const PropertyInfo& info : entries_) {
        if (!info.paints) continue;
        const PaintedBox box = info.paints(common);
        if (box.width < 0 || box.height < 0 || box.width * box.height > kPixelBudget)
            throw RuntimeException("kind " + name_ + " paints more than its budget with its common values");
    }
    if (!textProperty_.empty() && !Find(textProperty_))
        throw RuntimeException("kind " + name_ + " has no property " + std::string(textProperty_));
}

const PropertyInfo* PropertyKind::Find(std::string_view name) const {
    for (const PropertyInfo& info : entries_)
        if (info.name == name) return &info;
    return nullptr;
}

PropertyType PropertyKind::ValueType() const {
    const PropertyInfo* value = Find("Value");
    return value ? value->type : PropertyType::Int32;
}

std::vector<PropertyInfo> Pick(const std::vector<PropertyInfo>& from, std::initializer_list<std::string_view> names) {
    std::vector<PropertyInfo> picked;
    for (std::string_view name : names) {
        auto it = std::find_if(from.begin(), from.end(), [&](const PropertyInfo& s) { return s.name == name; });
        if (it == from.end()) throw RuntimeException("no shared property " + std::string(name));
        picked.push_back(*it);
    }
    return picked;
}

std::vector<PropertyInfo> Join(std::initializer_list<std::vector<PropertyInfo>> parts) {
    std::vector<PropertyInfo> joined;
    for (const auto& part : parts) joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

}  // namespace qv
