#include "Design.h"

#include "framework/PropertyList.h"

#include <string_view>

namespace qv::design {

namespace {

void Put(PropertyListWriter& writer, std::string_view name, int32_t value) { writer.Int32(name, value); }
void Put(PropertyListWriter& writer, std::string_view name, bool value) { writer.Boolean(name, value); }
void Put(PropertyListWriter& writer, std::string_view name, Color value) { writer.Colour(name, value); }
void Put(PropertyListWriter& writer, std::string_view name, const std::string& value) {
    writer.String(name, value);
}

}  // namespace

// The entry's name is the member's name, and the member's type picks its encoding.
#define QV_PUT_ENTRY(type, name, value) Put(writer, #name, name);

#define QV_DEFINE_ENCODE(Design, ENTRIES) \
    std::string Design::Encode() const {  \
        PropertyListWriter writer;        \
        ENTRIES(QV_PUT_ENTRY)             \
        return writer.Bytes();            \
    }

QV_DEFINE_ENCODE(WindowDesign, QV_WINDOW_ENTRIES)
QV_DEFINE_ENCODE(CanvasDesign, QV_CANVAS_ENTRIES)
QV_DEFINE_ENCODE(PushButtonDesign, QV_PUSH_BUTTON_ENTRIES)
QV_DEFINE_ENCODE(StaticTextDesign, QV_STATIC_TEXT_ENTRIES)
QV_DEFINE_ENCODE(CheckBoxDesign, QV_CHECK_BOX_ENTRIES)
QV_DEFINE_ENCODE(RadioButtonDesign, QV_RADIO_BUTTON_ENTRIES)
QV_DEFINE_ENCODE(SliderDesign, QV_SLIDER_ENTRIES)
QV_DEFINE_ENCODE(SeparatorDesign, QV_SEPARATOR_ENTRIES)
QV_DEFINE_ENCODE(LineDesign, QV_LINE_ENTRIES)

}  // namespace qv::design
