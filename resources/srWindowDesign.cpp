#include "SettingsDesign.h"

#include "framework/CheckBox.h"
#include "framework/Line.h"
#include "framework/Separator.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"

namespace qv::design {

// Each slider's handler writes its value into its label. The labels of the second
// row are filled from right to left, and Slider12's stands alone near the bottom.
const std::array<SliderReadout, 12>& SliderReadouts() {
    static constexpr std::array<SliderReadout, 12> readouts = {{
        {"Slider1", "sliderText"},
        {"Slider2", "sliderText1"},
        {"Slider3", "sliderText11"},
        {"Slider4", "sliderText111"},
        {"Slider5", "sliderText1111"},
        {"Slider6", "sliderText11111"},
        {"Slider7", "sliderText111111"},
        {"Slider8", "sliderText12"},
        {"Slider9", "sliderText112"},
        {"Slider10", "sliderText1112"},
        {"Slider11", "sliderText11112"},
        {"Slider12", "sliderText121"},
    }};
    return readouts;
}

namespace {

std::vector<EventBindingDesign> SliderBindings() {
    std::vector<EventBindingDesign> bindings;
    for (const SliderReadout& r : SliderReadouts())
        bindings.push_back({r.slider, "ValueChanged", std::string(r.slider) + "_ValueChanged"});
    return bindings;
}

}  // namespace

// The String Randomize window. Its twelve sliders are switches, 0 or 1, and every
// value label reads "0" because its own list says so: the handlers are bound after
// the lists are applied. No control takes TabIndex 35 or 36, and Line1, which has
// no TabIndex, comes last; its Width is X2 - X1 and so negative.
const WindowDesign& srWindowDesign() {
    static const WindowDesign design = SettingsDesign(/*frame*/ 1, /*composite*/ true, "String Randomize Settings", {
        // kind            Name                Index     Left Top  W    H    text            value TabIndex particular          TextSize
        {StaticText::Kind, "StaticText1",      kNoIndex, 201, 8,   206, 20,  "Settings for String Randomizer:", {},   2,       {},                 {}},
        {Slider::Kind,     "Slider1",          kNoIndex, 329, 161, 31,  21,  "",             0,    3,       {{"Maximum", 1}},   {}},
        {StaticText::Kind, "sliderText",       kNoIndex, 56,  58,  100, 20,  "0",            {},   4,       {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText1",      kNoIndex, 187, 58,  100, 20,  "0",            {},   5,       {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText11",     kNoIndex, 318, 58,  100, 20,  "0",            {},   6,       {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText111",    kNoIndex, 449, 58,  100, 20,  "0",            {},   7,       {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText1111",   kNoIndex, 390, 84,  100, 20,  "0",            {},   8,       {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText11111",  kNoIndex, 254, 84,  100, 20,  "0",            {},   9,       {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText111111", kNoIndex, 119, 84,  100, 20,  "0",            {},   10,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText12",     kNoIndex, 58,  116, 100, 20,  "0",            {},   11,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText112",    kNoIndex, 201, 116, 100, 20,  "0",            {},   12,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText1112",   kNoIndex, 320, 116, 100, 20,  "0",            {},   13,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind, "sliderText11112",  kNoIndex, 451, 116, 100, 20,  "0",            {},   14,      {{"TextAlign", 1}}, {}},
        {Slider::Kind,     "Slider2",          kNoIndex, 329, 185, 31,  21,  "",             0,    15,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider3",          kNoIndex, 329, 209, 31,  21,  "",             0,    16,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider4",          kNoIndex, 329, 233, 31,  21,  "",             0,    17,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider5",          kNoIndex, 329, 257, 31,  21,  "",             0,    18,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider6",          kNoIndex, 329, 282, 31,  21,  "",             0,    19,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider7",          kNoIndex, 406, 161, 31,  21,  "",             0,    20,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider8",          kNoIndex, 406, 185, 31,  21,  "",             0,    21,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider9",          kNoIndex, 406, 209, 31,  21,  "",             0,    22,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider10",         kNoIndex, 406, 233, 31,  21,  "",             0,    23,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider11",         kNoIndex, 406, 257, 31,  21,  "",             0,    24,      {{"Maximum", 1}},   {}},
        {Slider::Kind,     "Slider12",         kNoIndex, 406, 282, 31,  21,  "",             0,    25,      {{"Maximum", 1}},   {}},
        {StaticText::Kind, "sliderText121",    kNoIndex, 256, 315, 100, 20,  "0",            {},   26,      {{"TextAlign", 2}}, {}},
        {CheckBox::Kind,   "CheckBox1",        kNoIndex, 112, 317, 100, 20,  "",             0,    27,      {},                 {}},
        {Separator::Kind,  "Separator1",       kNoIndex, 138, 325, 194, 1,   "",             {},   28,      {},                 {}},
        // The symbols ∑ U+2211, µ U+00B5, ∆ U+2206, Ω U+03A9, ∂ U+2202, ß U+00DF
        {StaticText::Kind, "StaticText2",      kNoIndex, 186, 155, 31,  26,  "\xE2\x88\x91", {},   29,      {},                 {}},
        {StaticText::Kind, "StaticText3",      kNoIndex, 187, 202, 31,  26,  "\xC2\xB5",     {},   30,      {},                 {}},
        {StaticText::Kind, "StaticText4",      kNoIndex, 186, 178, 31,  26,  "\xE2\x88\x86", {},   31,      {},                 {}},
        {StaticText::Kind, "StaticText5",      kNoIndex, 187, 251, 31,  26,  "\xCE\xA9",     {},   32,      {},                 {}},
        {StaticText::Kind, "StaticText6",      kNoIndex, 188, 227, 31,  26,  "\xE2\x88\x82", {},   33,      {},                 {}},
        {StaticText::Kind, "StaticText7",      kNoIndex, 187, 276, 31,  26,  "\xC3\x9F",     {},   34,      {},                 {}},
        {Separator::Kind,  "Separator2",       kNoIndex, 204, 164, 115, 9,   "",             {},   37,      {},                 {}},
        {Separator::Kind,  "Separator3",       kNoIndex, 204, 188, 115, 9,   "",             {},   38,      {},                 {}},
        {Separator::Kind,  "Separator4",       kNoIndex, 204, 212, 115, 9,   "",             {},   39,      {},                 {}},
        {Separator::Kind,  "Separator5",       kNoIndex, 204, 236, 115, 9,   "",             {},   40,      {},                 {}},
        {Separator::Kind,  "Separator6",       kNoIndex, 204, 260, 115, 9,   "",             {},   41,      {},                 {}},
        {Separator::Kind,  "Separator7",       kNoIndex, 204, 285, 115, 9,   "",             {},   42,      {},                 {}},
        {StaticText::Kind, "StaticText8",      kNoIndex, 23,  57,  56,  20,  "Stage 1",      {},   43,      {},                 {}},
        {StaticText::Kind, "StaticText9",      kNoIndex, 23,  86,  56,  20,  "Stage 2",      {},   44,      {},                 {}},
        {StaticText::Kind, "StaticText10",     kNoIndex, 23,  116, 56,  20,  "Stage 3",      {},   45,      {},                 {}},
        {Line::Kind,       "Line1",            kNoIndex, 82,  61,  -3,  274, "",             {},   {},      {{"X1", 82}, {"Y1", 61}, {"X2", 79}, {"Y2", 335}}, {}},
    }, SliderBindings());
    return design;
}

}  // namespace qv::design
