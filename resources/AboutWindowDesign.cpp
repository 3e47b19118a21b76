#include "AboutWindowDesign.h"

#include "Design.h"
#include "framework/PushButton.h"
#include "framework/StaticText.h"

#include <cstddef>
#include <iterator>

namespace qv::design {

namespace {

// The apostrophe of "hasn't" in line 4 is U+2019, spelled out in UTF-8 so that
// the bytes do not depend on the compiler's source character set.
constexpr const char* kAboutLines[] = {
    "http://www.quillevard.example/",
    "",
    "The Quillevard Concept",
    ("     The two inch square can hold a picture of everything that has ever "
        "existed, or could exist, or even everything that hasn\xE2\x80\x99t existed. A series of "
        "two inch squares could be the text of any book, in any language. They could "
        "be a map, a listing of all the planets in the universe (with pictures of them "
        "and every life form on them), or a gallery or every piece of art ever created "
        "or ever will be created."),
    "",
    "Everything. Everywhere.",
    ("     The Quillevaard is a piece of software that accomplishes this. It "
        "creates these two inch squares randomly, continuously, one after another. "
        "Eventually, the Quillevard will create a grayscale picture of everything."),
    "",
    "Disclaimer",
    ("     There are a total of 256^20736 possible images that the Quillevard will "
        "eventually create. This is a really big number."),
    "",
    "",
    "Infinite monkeys.",
};

}  // namespace

const std::string& AboutText() {
    static const std::string text = [] {
        std::string joined = kAboutLines[0];
        for (std::size_t i = 1; i < std::size(kAboutLines); ++i) {
            joined += '\r';
            joined += kAboutLines[i];
        }
        return joined;
    }();
    return text;
}

const WindowDesign& AboutWindowDesign() {
    static const WindowDesign design = MakeDesign(
        EncodeWindow({{"Width", 623}, {"Height", 403}, {"Title", "About Quillevard"}, {"Resizeable", false}}),
        Encode({
            // kind           Name           Index     Left Top  W    H    caption or text  value TabIndex particular  TextSize
            {StaticText::Kind, "StaticText1", kNoIndex, 20,  14,  580, 339, AboutText(),     {},   0,
             {{"Multiline", true}, {"TextFont", "Charcoal"}}, 12.0f},
            {PushButton::Kind, "aboutOK",     kNoIndex, 493, 364, 80,  20,  "OK",            {},   1},
        }),
        {{"aboutOK", "Action", "aboutOK_Action"}});
    return design;
}

}  // namespace qv::design
