#include "SettingsDesign.h"

#include "framework/RadioButton.h"
#include "framework/Separator.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"

namespace qv::design {

// The Evolution Engine window: five sliders, each with its caption centred above it
// and "min" and "max" at its ends, and the control set rb1 with nothing selected.
const WindowDesign& eeWindowDesign() {
    static const WindowDesign design = SettingsDesign(/*frame*/ 3, /*composite*/ false, "Evolution Engine Settings", {
        // kind             Name            Index     Left Top  W    H    text                   value TabIndex particular          TextSize
        {StaticText::Kind,  "StaticText1",  kNoIndex, 175, 14,  245, 20,  "Settings for primary evolution engine:", {},   2,       {},                 {}},
        {Slider::Kind,      "Slider1",      kNoIndex, 76,  79,  161, 16,  "",                    14,   3,       {},                 {}},
        {StaticText::Kind,  "StaticText2",  kNoIndex, 45,  72,  30,  20,  "min",                 {},   4,       {},                 {}},
        {StaticText::Kind,  "StaticText3",  kNoIndex, 244, 72,  30,  20,  "max",                 {},   5,       {},                 {}},
        {StaticText::Kind,  "StaticText4",  kNoIndex, 76,  55,  156, 20,  "Mandatory",           {},   6,       {{"TextAlign", 1}}, {}},
        {Slider::Kind,      "Slider2",      kNoIndex, 78,  136, 161, 16,  "",                    78,   7,       {},                 {}},
        {StaticText::Kind,  "StaticText5",  kNoIndex, 47,  129, 30,  20,  "min",                 {},   8,       {},                 {}},
        {StaticText::Kind,  "StaticText6",  kNoIndex, 246, 129, 30,  20,  "max",                 {},   9,       {},                 {}},
        {StaticText::Kind,  "StaticText7",  kNoIndex, 78,  112, 156, 20,  "Incipient",           {},   10,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind,  "StaticText8",  kNoIndex, 78,  171, 156, 20,  "Non-Structured",      {},   11,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind,  "StaticText9",  kNoIndex, 246, 188, 30,  20,  "max",                 {},   12,      {},                 {}},
        {StaticText::Kind,  "StaticText10", kNoIndex, 47,  188, 30,  20,  "min",                 {},   13,      {},                 {}},
        {Slider::Kind,      "Slider3",      kNoIndex, 78,  195, 161, 16,  "",                    29,   14,      {},                 {}},
        {Slider::Kind,      "Slider4",      kNoIndex, 78,  261, 161, 16,  "",                    0,    15,      {},                 {}},
        {StaticText::Kind,  "StaticText11", kNoIndex, 47,  254, 30,  20,  "min",                 {},   16,      {},                 {}},
        {StaticText::Kind,  "StaticText12", kNoIndex, 246, 254, 30,  20,  "max",                 {},   17,      {},                 {}},
        {StaticText::Kind,  "StaticText13", kNoIndex, 78,  237, 156, 20,  "Predatory",           {},   18,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind,  "StaticText14", kNoIndex, 80,  300, 156, 20,  "Conglomerate",        {},   19,      {{"TextAlign", 1}}, {}},
        {StaticText::Kind,  "StaticText15", kNoIndex, 248, 317, 30,  20,  "max",                 {},   20,      {},                 {}},
        {StaticText::Kind,  "StaticText16", kNoIndex, 49,  317, 30,  20,  "min",                 {},   21,      {},                 {}},
        {Slider::Kind,      "Slider5",      kNoIndex, 80,  324, 161, 16,  "",                    58,   22,      {},                 {}},
        {RadioButton::Kind, "rb1",          0,        386, 132, 100, 20,  "Carbon",              0,    23,      {},                 {}},
        {RadioButton::Kind, "rb1",          1,        386, 158, 100, 20,  "Silicon",             0,    24,      {},                 {}},
        {RadioButton::Kind, "rb1",          2,        386, 185, 100, 20,  "Oxygen",              0,    25,      {},                 {}},
        {RadioButton::Kind, "rb1",          3,        386, 212, 100, 20,  "Methane",             0,    26,      {},                 {}},
        {RadioButton::Kind, "rb1",          4,        386, 237, 100, 20,  "Hydrogen",            0,    27,      {},                 {}},
        {RadioButton::Kind, "rb1",          5,        386, 265, 100, 20,  "Iron",                0,    28,      {},                 {}},
        {RadioButton::Kind, "rb1",          6,        386, 292, 100, 20,  "Silver",              0,    29,      {},                 {}},
        {Separator::Kind,   "Separator1",   kNoIndex, 325, 87,  9,   244, "",                    {},   30,      {},                 {}},
        {StaticText::Kind,  "StaticText17", kNoIndex, 364, 97,  137, 20,  "Chemical Simulation", {},   31,      {},                 {}},
    });
    return design;
}

}  // namespace qv::design
