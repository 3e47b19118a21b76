#include "SettingsDesign.h"

#include "framework/CheckBox.h"
#include "framework/StaticText.h"

namespace qv::design {

// The Recursion Aggregator window: ten check boxes scattered over the window, in a
// tab order that is not the screen's. The sign in "(∆)" is U+2206 INCREMENT.
const WindowDesign& raWindowDesign() {
    static const WindowDesign design = SettingsDesign(/*frame*/ 1, /*composite*/ false, "Recursion Aggregator Settings", {
        // kind            Name           Index     Left Top  W    H   text              value TabIndex particular TextSize
        {StaticText::Kind, "StaticText1", kNoIndex, 112, 7,   372, 29, "Recursion Aggregation (see pages 319-445 of user guide)", {},   2,       {},        {}},
        {CheckBox::Kind,   "CheckBox1",   kNoIndex, 86,  61,  100, 20, "(a)",            0,    3,       {},        {}},
        {CheckBox::Kind,   "CheckBox2",   kNoIndex, 122, 161, 100, 20, "(b)",            0,    4,       {},        {}},
        {CheckBox::Kind,   "CheckBox3",   kNoIndex, 198, 129, 100, 20, "(k)",            0,    5,       {},        {}},
        {CheckBox::Kind,   "CheckBox4",   kNoIndex, 225, 272, 54,  20, "(k4)",           1,    6,       {},        {}},
        {CheckBox::Kind,   "CheckBox5",   kNoIndex, 55,  300, 100, 20, "(c)",            0,    7,       {},        {}},
        {CheckBox::Kind,   "CheckBox6",   kNoIndex, 310, 180, 100, 20, "(m)",            0,    8,       {},        {}},
        {CheckBox::Kind,   "CheckBox7",   kNoIndex, 320, 97,  49,  20, "(y)",            1,    9,       {},        {}},
        {CheckBox::Kind,   "CheckBox8",   kNoIndex, 432, 141, 100, 20, "(a2)",           0,    10,      {},        {}},
        {CheckBox::Kind,   "CheckBox9",   kNoIndex, 471, 248, 100, 20, "(\xE2\x88\x86)", 0,    11,      {},        {}},
        {CheckBox::Kind,   "CheckBox10",  kNoIndex, 396, 280, 100, 20, "(df)",           0,    12,      {},        {}},
    });
    return design;
}

}  // namespace qv::design
