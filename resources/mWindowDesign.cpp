#include "SettingsDesign.h"

#include "framework/CheckBox.h"
#include "framework/Separator.h"
#include "framework/StaticText.h"

namespace qv::design {

// The µ Structure window. The check boxes' numbers and the unused TabIndex values
// between them are the design's own; creation follows TabIndex, not the screen.
const WindowDesign& mWindowDesign() {
    static const WindowDesign design = SettingsDesign(/*frame*/ 3, /*composite*/ false, "\xC2\xB5 Structure Settings", {
        // kind            Name           Index     Left Top  W    H    text         value TabIndex particular TextSize
        {CheckBox::Kind,   "CheckBox3",   kNoIndex, 58,  98,  100, 20,  "Partials",  1,    4,       {},        {}},
        {CheckBox::Kind,   "CheckBox8",   kNoIndex, 58,  217, 100, 20,  "Recombine", 0,    9,       {},        {}},
        {CheckBox::Kind,   "CheckBox11",  kNoIndex, 58,  298, 100, 20,  "Eliminate", 1,    12,      {},        {}},
        {CheckBox::Kind,   "CheckBox13",  kNoIndex, 181, 49,  100, 20,  "Mutate",    0,    14,      {},        {}},
        {CheckBox::Kind,   "CheckBox14",  kNoIndex, 181, 73,  100, 20,  "Flex",      0,    15,      {},        {}},
        {CheckBox::Kind,   "CheckBox15",  kNoIndex, 181, 97,  100, 20,  "Slim",      1,    16,      {},        {}},
        {CheckBox::Kind,   "CheckBox16",  kNoIndex, 181, 121, 100, 20,  "Quanta",    0,    17,      {},        {}},
        {CheckBox::Kind,   "CheckBox17",  kNoIndex, 181, 145, 100, 20,  "Immunes",   0,    18,      {},        {}},
        {CheckBox::Kind,   "CheckBox19",  kNoIndex, 181, 241, 100, 20,  "Molecules", 0,    20,      {},        {}},
        {CheckBox::Kind,   "CheckBox20",  kNoIndex, 181, 217, 100, 20,  "Atoms",     0,    21,      {},        {}},
        {CheckBox::Kind,   "CheckBox21",  kNoIndex, 181, 193, 100, 20,  "Quarks",    0,    22,      {},        {}},
        {CheckBox::Kind,   "CheckBox23",  kNoIndex, 181, 289, 100, 20,  "Space",     0,    24,      {},        {}},
        {CheckBox::Kind,   "CheckBox24",  kNoIndex, 181, 314, 100, 20,  "Time",      1,    25,      {},        {}},
        {CheckBox::Kind,   "CheckBox31",  kNoIndex, 329, 170, 100, 20,  "X - QF",    0,    32,      {},        {}},
        {CheckBox::Kind,   "CheckBox32",  kNoIndex, 329, 146, 100, 20,  "X / Q3",    0,    33,      {},        {}},
        {CheckBox::Kind,   "CheckBox33",  kNoIndex, 329, 122, 100, 20,  "X / Q2",    0,    34,      {},        {}},
        {CheckBox::Kind,   "CheckBox34",  kNoIndex, 329, 98,  100, 20,  "X + Q4",    0,    35,      {},        {}},
        {CheckBox::Kind,   "CheckBox35",  kNoIndex, 329, 74,  100, 20,  "X + Q3",    0,    36,      {},        {}},
        {CheckBox::Kind,   "CheckBox36",  kNoIndex, 329, 50,  100, 20,  "X + Q2",    0,    37,      {},        {}},
        {CheckBox::Kind,   "CheckBox37",  kNoIndex, 419, 50,  100, 20,  "Y + Q2",    0,    38,      {},        {}},
        {CheckBox::Kind,   "CheckBox38",  kNoIndex, 419, 74,  100, 20,  "Y + Q3",    0,    39,      {},        {}},
        {CheckBox::Kind,   "CheckBox39",  kNoIndex, 419, 98,  100, 20,  "Y + Q4",    1,    40,      {},        {}},
        {CheckBox::Kind,   "CheckBox40",  kNoIndex, 419, 122, 100, 20,  "Y / Q2",    0,    41,      {},        {}},
        {CheckBox::Kind,   "CheckBox41",  kNoIndex, 419, 146, 100, 20,  "Y / Q3",    1,    42,      {},        {}},
        {CheckBox::Kind,   "CheckBox42",  kNoIndex, 419, 170, 100, 20,  "Y - QF",    0,    43,      {},        {}},
        {CheckBox::Kind,   "CheckBox43",  kNoIndex, 419, 242, 100, 20,  "Y - Q4",    0,    44,      {},        {}},
        {CheckBox::Kind,   "CheckBox44",  kNoIndex, 419, 218, 100, 20,  "Y - Q3",    0,    45,      {},        {}},
        {CheckBox::Kind,   "CheckBox45",  kNoIndex, 419, 194, 100, 20,  "Y - Q2",    0,    46,      {},        {}},
        {CheckBox::Kind,   "CheckBox46",  kNoIndex, 419, 266, 100, 20,  "Y * Q2",    0,    47,      {},        {}},
        {CheckBox::Kind,   "CheckBox47",  kNoIndex, 419, 290, 100, 20,  "Y * Q3",    0,    48,      {},        {}},
        {CheckBox::Kind,   "CheckBox48",  kNoIndex, 419, 315, 100, 20,  "Y * QF",    0,    49,      {},        {}},
        {Separator::Kind,  "Separator1",  kNoIndex, 288, 50,  29,  284, "",          {},   50,      {},        {}},
        {CheckBox::Kind,   "CheckBox49",  kNoIndex, 329, 314, 78,  20,  "X * QF",    0,    51,      {},        {}},
        {CheckBox::Kind,   "CheckBox50",  kNoIndex, 329, 290, 78,  20,  "X * Q3",    0,    52,      {},        {}},
        {CheckBox::Kind,   "CheckBox51",  kNoIndex, 329, 266, 78,  20,  "X * Q2",    0,    53,      {},        {}},
        {CheckBox::Kind,   "CheckBox52",  kNoIndex, 329, 242, 78,  20,  "X - Q4",    0,    54,      {},        {}},
        {CheckBox::Kind,   "CheckBox53",  kNoIndex, 329, 218, 78,  20,  "X - Q3",    0,    55,      {},        {}},
        {CheckBox::Kind,   "CheckBox54",  kNoIndex, 329, 194, 67,  20,  "X - Q2",    1,    56,      {},        {}},
        {Separator::Kind,  "Separator2",  kNoIndex, 58,  174, 244, 9,   "",          {},   57,      {},        {}},
        {Separator::Kind,  "Separator3",  kNoIndex, 58,  270, 244, 9,   "",          {},   58,      {},        {}},
        {StaticText::Kind, "StaticText1", kNoIndex, 191, 6,   203, 20,  "Set the dominant \xC2\xB5 structures:", {},   59,      {},        {}},
    });
    return design;
}

}  // namespace qv::design
