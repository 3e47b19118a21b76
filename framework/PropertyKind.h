// Properties declared once per kind of object. A kind lists its properties in the
// order its property lists carry them; each property states its name, its type,
// its common value (the one most designs give it) and how it is set and read.
// The list reader takes its types from here, the design encoder its entry order
// and common values, and SetProperty its setters and the bounds of Int32 values:
// a range of its own, and the pixels of what the property sizes, which are held to
// the budget of every image (kPixelBudget, in Picture.h).
#pragma once

#include "Object.h"
#include "PropertyList.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace qv {

template <class T>
inline constexpr PropertyType PropertyTypeFor = [] {
    if constexpr (std::is_same_v<T, int32_t>) return PropertyType::Int32;
    else if constexpr (std::is_same_v<T, bool>) return PropertyType::Boolean;
    else if constexpr (std::is_same_v<T, Color>) return PropertyType::Color;
    else {
        static_assert(std::is_same_v<T, std::string>, "a property is an Int32, a Boolean, a Color or a String");
        return PropertyType::String;
    }
}();

// The values an Int32 property accepts, both ends included.
struct Int32Range {
    int32_t low, high;
};

// A target's Int32 values by name, as they would stand with one more entry applied.
using Int32Values = std::function<int32_t(std::string_view name)>;

// The width and height, in pixels, of what a target's widget paints. A negative size
// is kept as given (a line's Width is X2 - X1) and counts by its magnitude.
struct PaintedBox {
    int64_t width, height;
};
using PaintedBoxOf = PaintedBox (*)(const Int32Values& values);

struct PropertyInfo {
    std::string_view name;
    PropertyType type;
    PropertyValue common;
    void (*set)(Object& target, const PropertyValue& value);
    PropertyValue (*get)(const Object& target);
    // SetProperty refuses a value outside it before the setter sees it.
    std::optional<Int32Range> range;
    // What the property sizes: SetProperty refuses a value that would make it more
    // than kPixelBudget pixels.
    PaintedBoxOf paints;

    // The same property, bounded: `Field<...>("Width", 0).Range(-32000, 32000)`.
    PropertyInfo Range(int32_t low, int32_t high) const {
        PropertyInfo bounded = *this;
        bounded.range = Int32Range{low, high};
        return bounded;
    }
    // The same property, sizing what the target paints: `.Paints(&LineBox)`.
    PropertyInfo Paints(PaintedBoxOf box) const {
        PropertyInfo sizing = *this;
        sizing.paints = box;
        return sizing;
    }
};

namespace property_detail {

template <class M>
struct MemberTraits;
template <class C, class T>
struct MemberTraits<T C::*> {
    using Class = C;
    using Type = T;
};

template <class G>
struct GetterTraits;
template <class C, class R>
struct GetterTraits<R (C::*)() const> {
    using Class = C;
    using Type = std::remove_cvref_t<R>;
};

}  // namespace property_detail

// A property stored in a data member of the class.
template <auto Member>
PropertyInfo Field(std::string_view name, typename property_detail::MemberTraits<decltype(Member)>::Type common) {
    using Traits = property_detail::MemberTraits<decltype(Member)>;
    using C = typename Traits::Class;
    using T = typename Traits::Type;
    return {name, PropertyTypeFor<T>, PropertyValue(std::move(common)),
            [](Object& o, const PropertyValue& v) { static_cast<C&>(o).*Member = std::get<T>(v); },
            [](const Object& o) { return PropertyValue(static_cast<const C&>(o).*Member); }, std::nullopt, nullptr};
}

// A property stored in a member of a data member (a window's property record).
template <auto Outer, auto Inner>
PropertyInfo NestedField(std::string_view name, typename property_detail::MemberTraits<decltype(Inner)>::Type common) {
    using C = typename property_detail::MemberTraits<decltype(Outer)>::Class;
    using T = typename property_detail::MemberTraits<decltype(Inner)>::Type;
    return {name, PropertyTypeFor<T>, PropertyValue(std::move(common)),
            [](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*Outer).*Inner = std::get<T>(v); },
            [](const Object& o) { return PropertyValue((static_cast<const C&>(o).*Outer).*Inner); }, std::nullopt,
            nullptr};
}

// A property read and written through the class's getter and setter.
template <auto Getter, auto Setter>
PropertyInfo Accessor(std::string_view name, typename property_detail::GetterTraits<decltype(Getter)>::Type common) {
    using Traits = property_detail::GetterTraits<decltype(Getter)>;
    using C = typename Traits::Class;
    using T = typename Traits::Type;
    return {name, PropertyTypeFor<T>, PropertyValue(std::move(common)),
            [](Object& o, const PropertyValue& v) { (static_cast<C&>(o).*Setter)(std::get<T>(v)); },
            [](const Object& o) { return PropertyValue((static_cast<const C&>(o).*Getter)()); }, std::nullopt, nullptr};
}

class PropertyKind {
public:
    // `lookup` gives the framework class of the kind; `textProperty` names the
    // property that a design's caption-or-text column sets ("Caption", "Text"), if any.
    PropertyKind(std::string_view name, ClassRef (*lookup)(), std::vector<PropertyInfo> entries,
                 std::string_view textProperty = {});

    std::string_view Name() const { return name_; }
    ClassRef Class() const { return lookup_(); }
    // In the order of the kind's property lists.
    const std::vector<PropertyInfo>& Entries() const { return entries_; }
    const PropertyInfo* Find(std::string_view name) const;
    std::string_view TextProperty() const { return textProperty_; }
    // Push buttons, static texts, check boxes and radio buttons carry a font.
    bool TextBearing() const { return Find("TextFont") != nullptr; }
    // The type of `Value` for this kind: Boolean or Int32; Int32 when it has none.
    PropertyType ValueType() const;

private:
    std::string name_;
    ClassRef (*lookup_)();
    std::vector<PropertyInfo> entries_;
    std::string_view textProperty_;
};

// Picks entries by name out of a table of shared property descriptions, in the order given.
std::vector<PropertyInfo> Pick(const std::vector<PropertyInfo>& from, std::initializer_list<std::string_view> names);
std::vector<PropertyInfo> Join(std::initializer_list<std::vector<PropertyInfo>> parts);

// Every kind of the framework: windows and each control kind.
const std::vector<const PropertyKind*>& AllPropertyKinds();

}  // namespace qv
