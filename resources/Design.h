// Designs as tables. A window's design is its own list and one row per control, in
// creation order, in the columns a reader checks against the window's control table;
// every other entry takes its kind's common value. Rows are checked when the table
// is built: a row without the TabIndex its kind carries, a column its kind lacks, a
// property of a wrong name or type, or rows out of TabIndex order are rejected.
#pragma once

#include "framework/PropertyKind.h"
#include "framework/WindowDesign.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::design {

// The Index of a control that belongs to no control set.
inline constexpr int32_t kNoIndex = INT32_MIN;
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kBlack{0, 0, 0};

class DesignError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct Row {
    // Columns a row leaves out take their defaults: no caption or text, no value,
    // no TabIndex (rejected where the kind has one), nothing particular, no TextSize.
    Row(const PropertyKind& (*kind)(), std::string name, int32_t index, int32_t left, int32_t top, int32_t width,
        int32_t height, std::string text = {}, std::optional<int32_t> value = {},
        std::optional<int32_t> tabIndex = {}, std::vector<PropertyEntry> particular = {},
        std::optional<float> textSize = {})
        : kind(kind), name(std::move(name)), index(index), left(left), top(top), width(width), height(height),
          text(std::move(text)), value(value), tabIndex(tabIndex), particular(std::move(particular)),
          textSize(textSize) {}

    const PropertyKind& (*kind)();
    std::string name;
    int32_t index;
    int32_t left, top, width, height;
    std::string text;                       // Caption or Text, where the kind has one
    std::optional<int32_t> value;           // a slider's Value; a check box's State and Value; a radio button's Value
    std::optional<int32_t> tabIndex;        // required where the kind has one
    std::vector<PropertyEntry> particular;  // what else differs from the kind's common values
    std::optional<float> textSize;          // set before the list; no list carries it
};

// A list of the kind: each of its entries in its order, the given values over the
// kind's common ones.
std::string EncodeList(const PropertyKind& kind, const std::vector<PropertyEntry>& values);
// A window's own list.
std::string EncodeWindow(const std::vector<PropertyEntry>& values);

ControlDesign Encode(const Row& row);

// A window's design: its list, its controls (shared ones and rows, in creation
// order) and the bindings of its controls' events.
WindowDesign MakeDesign(std::string windowList, std::vector<ControlDesign> controls,
                        std::vector<EventBindingDesign> bindings = {});
std::vector<ControlDesign> Encode(const std::vector<Row>& rows);

// A list built up entry by entry, for lists made on the spot.
class ListDesign {
public:
    explicit ListDesign(const PropertyKind& kind) : kind_(&kind) {}
    ListDesign& Set(std::string name, PropertyValue value);
    std::string Encode() const { return EncodeList(*kind_, values_); }

private:
    const PropertyKind* kind_;
    std::vector<PropertyEntry> values_;
};

}  // namespace qv::design
