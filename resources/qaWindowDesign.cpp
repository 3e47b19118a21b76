#include "SettingsDesign.h"

#include "framework/CheckBox.h"
#include "framework/RadioButton.h"
#include "framework/Separator.h"
#include "framework/Slider.h"
#include "framework/StaticText.h"

namespace qv::design {

// The Quantum Architecture window ("Archutecture" in its title is the design's).
// Both radio sets are created in the order of their captions, but rb3 numbers its
// members in screen order, so it creates them with the indexes 0, 1, 3, 2, 4. The
// second "Anti-Matter" label stands beyond the window's width of 600 and shows only
// once the window is widened.
const WindowDesign& qaWindowDesign() {
    static const WindowDesign design = SettingsDesign(/*frame*/ 3, /*composite*/ false, "Quantum Archutecture Settings", {
        // kind             Name           Index     Left Top  W    H    text                    value TabIndex particular TextSize
        {RadioButton::Kind, "rb2",         0,        56,  101, 126, 20,  "Anti-Electron",        0,    2,       {},        {}},
        {RadioButton::Kind, "rb2",         1,        56,  127, 100, 20,  "Electron",             1,    3,       {},        {}},
        {RadioButton::Kind, "rb2",         2,        56,  180, 100, 20,  "Anti-Proton",          0,    4,       {},        {}},
        {RadioButton::Kind, "rb2",         3,        56,  154, 100, 20,  "Neutron",              0,    5,       {},        {}},
        {RadioButton::Kind, "rb2",         4,        56,  207, 100, 20,  "Proton",               0,    6,       {},        {}},
        {StaticText::Kind,  "StaticText1", kNoIndex, 205, 8,   193, 20,  "Set the quantum architecture:", {},   7,       {},        {}},
        {StaticText::Kind,  "StaticText2", kNoIndex, 59,  75,  69,  18,  "Step 1",               {},   8,       {},        {}},
        {RadioButton::Kind, "rb3",         0,        210, 101, 126, 20,  "Anti-Electron",        0,    9,       {},        {}},
        {RadioButton::Kind, "rb3",         1,        210, 127, 100, 20,  "Electron",             0,    10,      {},        {}},
        {RadioButton::Kind, "rb3",         3,        210, 180, 100, 20,  "Anti-Proton",          0,    11,      {},        {}},
        {RadioButton::Kind, "rb3",         2,        210, 154, 100, 20,  "Neutron",              1,    12,      {},        {}},
        {RadioButton::Kind, "rb3",         4,        210, 207, 100, 20,  "Proton",               0,    13,      {},        {}},
        {StaticText::Kind,  "StaticText3", kNoIndex, 196, 75,  69,  18,  "Step 2",               {},   14,      {},        {}},
        {Separator::Kind,   "Separator1",  kNoIndex, 172, 80,  20,  174, "",                     {},   15,      {},        {}},
        {Separator::Kind,   "Separator2",  kNoIndex, 339, 81,  20,  173, "",                     {},   16,      {},        {}},
        {Separator::Kind,   "Separator3",  kNoIndex, 54,  251, 296, 3,   "",                     {},   17,      {},        {}},
        {Slider::Kind,      "Slider1",     kNoIndex, 97,  293, 373, 16,  "",                     15,   18,      {},        {}},
        {StaticText::Kind,  "StaticText4", kNoIndex, 49,  288, 53,  20,  "Matter",               {},   19,      {},        {}},
        {StaticText::Kind,  "StaticText5", kNoIndex, 477, 287, 92,  20,  "Anti-Matter",          {},   20,      {},        {}},
        {StaticText::Kind,  "StaticText6", kNoIndex, 726, 242, 53,  20,  "Anti-Matter",          {},   21,      {},        {}},
        {CheckBox::Kind,    "CheckBox1",   kNoIndex, 395, 99,  144, 20,  "Dark Matter only",     0,    22,      {},        {}},
        {CheckBox::Kind,    "CheckBox2",   kNoIndex, 395, 122, 134, 20,  "Inhibit Decay",        1,    23,      {},        {}},
        {CheckBox::Kind,    "CheckBox3",   kNoIndex, 395, 146, 100, 20,  "No Fermions",          0,    24,      {},        {}},
        {CheckBox::Kind,    "CheckBox4",   kNoIndex, 395, 169, 173, 20,  "Simulate Higgs Boson", 0,    25,      {},        {}},
        {CheckBox::Kind,    "CheckBox5",   kNoIndex, 395, 193, 144, 20,  "Allow Half Spins",     1,    26,      {},        {}},
        {CheckBox::Kind,    "CheckBox6",   kNoIndex, 395, 217, 156, 20,  "Allow Mixing Angles",  0,    27,      {},        {}},
    });
    return design;
}

}  // namespace qv::design
