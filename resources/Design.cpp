#include "Design.h"

#include "framework/Window.h"

#include <algorithm>

namespace qv::design {

namespace {

[[noreturn]] void Reject(std::string_view where, const std::string& problem) {
    throw DesignError(std::string(where) + ": " + problem);
}

}  // namespace

std::string EncodeList(const PropertyKind& kind, const std::vector<PropertyEntry>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        const PropertyInfo* info = kind.Find(values[i].name);
        if (!info) Reject(kind.Name(), "it has no property " + values[i].name);
        if (TypeOfValue(values[i].value) != info->type) Reject(kind.Name(), values[i].name + " takes another type");
        for (size_t j = 0; j < i; ++j)
            if (values[j].name == values[i].name) Reject(kind.Name(), values[i].name + " is given twice");
    }
    PropertyListWriter writer;
    for (const PropertyInfo& info : kind.Entries()) {
        auto given = std::find_if(values.begin(), values.end(), [&](const PropertyEntry& e) { return e.name == info.name; });
        writer.Entry({std::string(info.name), given != values.end() ? given->value : info.common});
    }
    return writer.Bytes();
}

std::string EncodeWindow(const std::vector<PropertyEntry>& values) { return EncodeList(Window::Kind(), values); }

ControlDesign Encode(const Row& row) {
    const PropertyKind& kind = row.kind();
    const std::string where = std::string(kind.Name()) + " " + row.name;
    std::vector<PropertyEntry> values = {
        {"Name", row.name}, {"Index", row.index}, {"Left", row.left},
        {"Top", row.top},   {"Width", row.width}, {"Height", row.height},
    };
    if (kind.Find("TabIndex")) {
        if (!row.tabIndex) Reject(where, "the row has no TabIndex");
        values.push_back({"TabIndex", *row.tabIndex});
    } else if (row.tabIndex) {
        Reject(where, "the kind has no TabIndex");
    }
    if (!row.text.empty()) {
        if (kind.TextProperty().empty()) Reject(where, "the kind has no caption or text");
        values.push_back({std::string(kind.TextProperty()), row.text});
    }
    if (row.value) {
        const PropertyInfo* value = kind.Find("Value");
        if (!value) Reject(where, "the kind has no Value");
        // A check box's State and Value say the same thing.
        if (kind.Find("State")) values.push_back({"State", *row.value});
        if (value->type == PropertyType::Boolean)
            values.push_back({"Value", *row.value != 0});
        else
            values.push_back({"Value", *row.value});
    }
    for (const PropertyEntry& e : row.particular) {
        if (std::any_of(values.begin(), values.end(), [&](const PropertyEntry& v) { return v.name == e.name; }))
            Reject(where, e.name + " belongs in its own column");
        values.push_back(e);
    }
    if (row.textSize && !kind.TextBearing()) Reject(where, "the kind carries no text");
    return {&kind, row.name, row.index, row.tabIndex, row.textSize,
            std::make_shared<const std::string>(EncodeList(kind, values))};
}

std::vector<ControlDesign> Encode(const std::vector<Row>& rows) {
    std::vector<ControlDesign> controls;
    controls.reserve(rows.size());
    for (const Row& row : rows) controls.push_back(Encode(row));
    return controls;
}

WindowDesign MakeDesign(std::string windowList, std::vector<ControlDesign> controls,
                        std::vector<EventBindingDesign> bindings) {
    // Creation order is ascending TabIndex; controls without one come last.
    for (size_t i = 1; i < controls.size(); ++i) {
        const ControlDesign& before = controls[i - 1];
        const ControlDesign& after = controls[i];
        if (!before.tabIndex && after.tabIndex)
            Reject(after.name, "a control with a TabIndex comes after " + before.name + ", which has none");
        if (before.tabIndex && after.tabIndex && *after.tabIndex <= *before.tabIndex)
            Reject(after.name, "its TabIndex does not follow that of " + before.name);
    }
    for (const EventBindingDesign& b : bindings) {
        if (std::none_of(controls.begin(), controls.end(), [&](const ControlDesign& c) { return c.name == b.control; }))
            Reject(b.control, "a binding names no control of the window");
    }
    return {std::move(windowList), std::move(controls), std::move(bindings)};
}

ListDesign& ListDesign::Set(std::string name, PropertyValue value) {
    auto it = std::find_if(values_.begin(), values_.end(), [&](const PropertyEntry& e) { return e.name == name; });
    if (it != values_.end())
        it->value = std::move(value);
    else
        values_.push_back({std::move(name), std::move(value)});
    return *this;
}

}  // namespace qv::design
