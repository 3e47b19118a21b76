// The class tables of the main window, the five settings windows and the three
// radio-set classes, against the operations and methods each class is designed to
// declare, in their order. The lists are written out here, not taken from the
// designs the tables are built from.
#include "AppFixture.h"

#include "eeWindow.h"
#include "mWindow.h"
#include "qaWindow.h"
#include "raWindow.h"
#include "srWindow.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace quil::testing {
namespace {

using Names = std::vector<std::string>;

// "Kind: A B C3..5" → "A %o<Kind>%s", "B %o<Kind>%s", "C3 ...", "C4 ...", "C5 ..."; a
// kind written "Kind[]" stands for a control set, reached with an index as well.
Names Accessors(const std::vector<std::string>& runs) {
    Names out;
    for (const std::string& run : runs) {
        std::istringstream in(run);
        std::string kind, name;
        in >> kind;
        kind.pop_back();  // the colon
        const bool set = kind.ends_with("[]");
        if (set) kind.resize(kind.size() - 2);
        const std::string signature = "%o<" + kind + ">%s" + (set ? "i4" : "");
        while (in >> name) {
            const size_t dots = name.find("..");
            if (dots == std::string::npos) {
                out.push_back(name + " " + signature);
                continue;
            }
            const size_t digits = name.find_first_of("0123456789");
            const std::string stem = name.substr(0, digits);
            for (int n = std::stoi(name.substr(digits, dots - digits)), last = std::stoi(name.substr(dots + 2));
                 n <= last; ++n)
                out.push_back(stem + std::to_string(n) + " " + signature);
        }
    }
    return out;
}

Names operator+(Names head, const Names& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

Names Handlers(const Names& names, const char* signature) {
    Names out;
    for (const std::string& n : names) out.push_back(n + " " + signature);
    return out;
}

const Names kBuilding = {"Layout", "CreateControls", "_CreateControls0"};
const Names kBuildingMethods = Handlers(kBuilding, "%%");
const Names kOkCancel = {"mOK_Action", "mCancel_Action"};

const Names kMenuItemAccessors = {
    "HelpMenu", "AppleAboutQuillevard", "SettingsMenu", "SettingsStringRandomizing", "SettingsRecursionAggregator",
    "SettingsQuantum", "vSeparator", "SettingsEvolutionEngine", "Settings\xC2\xB5structure", "UntitledMenu0",
    "EditClear", "EditPaste", "EditCopy", "EditCut", "UntitledMenu1", "EditUndo", "UntitledMenu3", "UntitledMenu2",
    "FileQuit", "UntitledSeparator", "FileExtendRealityLinks", "FileRenew", "WindowNew"};
const Names kSettingsHandlers = {"_Settings\xC2\xB5structure_Action", "_SettingsEvolutionEngine_Action",
                                 "_SettingsQuantum_Action", "_SettingsRecursionAggregator_Action",
                                 "_SettingsStringRandomizing_Action"};
const Names kSliderHandlers = {
    "Slider1_ValueChanged", "Slider2_ValueChanged", "Slider3_ValueChanged",  "Slider4_ValueChanged",
    "Slider5_ValueChanged", "Slider6_ValueChanged", "Slider7_ValueChanged",  "Slider8_ValueChanged",
    "Slider9_ValueChanged", "Slider10_ValueChanged", "Slider11_ValueChanged", "Slider12_ValueChanged"};

Names MenuItemAccessorMethods() {
    Names out;
    for (const std::string& n : kMenuItemAccessors) {
        const char* itemClass = n == "AppleAboutQuillevard" ? "AppleMenuItem" : n == "FileQuit" ? "QuitMenuItem"
                                                                                                 : "MenuItem";
        out.push_back(n + " %o<" + itemClass + ">%");
    }
    return out;
}

struct WindowClassCase {
    const char* id;
    qv::ClassRef (*lookup)();
    const char* name;
    Names own;      // operations after Window's fifty
    Names methods;  // "name signature", in order
    Names events;   // the window events the class binds
};

void PrintTo(const WindowClassCase& c, std::ostream* os) { *os << c.id; }

const WindowClassCase kWindowClasses[] = {
    {"Window1", Window1::Lookup, "Window1.Window1",
     kBuilding + Names{"StartButton_Action", "StopButton_Action"} + kMenuItemAccessors +
         Names{"AddMenuHandlers", "Event_Close"} + kSettingsHandlers,
     kBuildingMethods + Accessors({"Canvas: Canvas1", "PushButton: StartButton StopButton"}) +
         Handlers({"StartButton_Action", "StopButton_Action"}, "%%") + MenuItemAccessorMethods() +
         Names{"AddMenuHandlers %%o<Window>", "Event_Close %%"} + Handlers(kSettingsHandlers, "%b%"),
     {"Layout", "CreateControls", "AddMenuHandlers", "Close"}},
    {"mWindow", mWindow::Lookup, "mWindow.mWindow", kBuilding + kOkCancel,
     kBuildingMethods +
         Accessors({"PushButton: mOK mCancel",
                    "CheckBox: CheckBox3 CheckBox8 CheckBox11 CheckBox13..17 CheckBox19..21 CheckBox23 CheckBox24 "
                    "CheckBox31..48",
                    "Separator: Separator1", "CheckBox: CheckBox49..54", "Separator: Separator2 Separator3",
                    "StaticText: StaticText1"}) +
         Handlers(kOkCancel, "%%"),
     {"Layout", "CreateControls"}},
    {"eeWindow", eeWindow::Lookup, "eeWindow.eeWindow", kBuilding + kOkCancel,
     kBuildingMethods +
         Accessors({"PushButton: mOK mCancel", "StaticText: StaticText1", "Slider: Slider1",
                    "StaticText: StaticText2 StaticText3 StaticText4", "Slider: Slider2", "StaticText: StaticText5..10",
                    "Slider: Slider3 Slider4", "StaticText: StaticText11..16", "Slider: Slider5", "RadioButton[]: rb1",
                    "Separator: Separator1", "StaticText: StaticText17"}) +
         Handlers(kOkCancel, "%%"),
     {"Layout", "CreateControls"}},
    {"qaWindow", qaWindow::Lookup, "qaWindow.qaWindow", kBuilding + kOkCancel,
     kBuildingMethods +
         Accessors({"PushButton: mOK mCancel", "RadioButton[]: rb2", "StaticText: StaticText1 StaticText2",
                    "RadioButton[]: rb3", "StaticText: StaticText3", "Separator: Separator1..3", "Slider: Slider1",
                    "StaticText: StaticText4..6", "CheckBox: CheckBox1..6"}) +
         Handlers(kOkCancel, "%%"),
     {"Layout", "CreateControls"}},
    {"srWindow", srWindow::Lookup, "srWindow.srWindow", kBuilding + kOkCancel + kSliderHandlers,
     kBuildingMethods +
         Accessors({"PushButton: mOK mCancel", "StaticText: StaticText1", "Slider: Slider1",
                    "StaticText: sliderText sliderText1 sliderText11 sliderText111 sliderText1111 sliderText11111 "
                    "sliderText111111 sliderText12 sliderText112 sliderText1112 sliderText11112",
                    "Slider: Slider2..12", "StaticText: sliderText121", "CheckBox: CheckBox1", "Separator: Separator1",
                    "StaticText: StaticText2..7", "Separator: Separator2..7", "StaticText: StaticText8..10",
                    "Line: Line1"}) +
         Handlers(kOkCancel + kSliderHandlers, "%%"),
     {"Layout", "CreateControls"}},
    {"raWindow", raWindow::Lookup, "raWindow.raWindow", kBuilding + kOkCancel,
     kBuildingMethods +
         Accessors({"PushButton: mOK mCancel", "StaticText: StaticText1", "CheckBox: CheckBox1..10"}) +
         Handlers(kOkCancel, "%%"),
     {"Layout", "CreateControls"}},
};

Names MethodsOf(qv::ClassRef c) {
    Names out;
    for (const qv::MethodEntry& m : c->methods) out.push_back(m.name + " " + m.signature);
    return out;
}

// Every method is public; the control-building step is also hidden.
void ExpectAttributes(qv::ClassRef c, const char* classScope) {
    ASSERT_EQ(c->attributes.size(), 1u);
    EXPECT_EQ(c->attributes[0].name + "=" + c->attributes[0].value, std::string("__Scope=") + classScope);
    for (const qv::MethodEntry& m : c->methods) {
        Names attributes;
        for (const qv::Attribute& a : m.attributes) attributes.push_back(a.name + "=" + a.value);
        EXPECT_EQ(attributes, m.name == "_CreateControls0" ? (Names{"__Scope=Public", "Hidden="})
                                                           : Names{"__Scope=Public"})
            << m.name;
    }
}

class WindowClassTableTest : public AppTest, public ::testing::WithParamInterface<WindowClassCase> {};

TEST_P(WindowClassTableTest, KeepsWindowsOperationsThenDeclaresItsOwnInOrder) {
    const WindowClassCase& c = GetParam();
    qv::ClassRef table = c.lookup();
    EXPECT_EQ(table->name, c.name);
    EXPECT_EQ(table->super, qv::Window::Lookup());
    EXPECT_EQ(table->vtable, qv::Window::Lookup()->vtable + c.own);
    EXPECT_EQ(MethodsOf(table), c.methods);
    ExpectAttributes(table, "Public");
    Names bound;
    for (const qv::EventBinding& b : table->bindings) bound.push_back(b.event);
    EXPECT_EQ(bound, c.events);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowClassTableTest, ::testing::ValuesIn(kWindowClasses),
                         [](const ::testing::TestParamInfo<WindowClassCase>& info) { return std::string(info.param.id); });

using RadioSetClassTableTest = AppTest;

TEST_F(RadioSetClassTableTest, IsARadioButtonWithConstructorReplacedAndConstructorIndexAdded) {
    const std::pair<qv::ClassRef, const char*> sets[] = {
        {eeWindow::rb1::Lookup(), "eeWindow.rb1"},
        {qaWindow::rb2::Lookup(), "qaWindow.rb2"},
        {qaWindow::rb3::Lookup(), "qaWindow.rb3"},
    };
    for (const auto& [table, name] : sets) {
        SCOPED_TRACE(name);
        EXPECT_EQ(table->name, name);
        EXPECT_EQ(table->super, qv::RadioButton::Lookup());
        // RadioButton's operations, Constructor() replaced in its slot, then Constructor(index).
        EXPECT_EQ(table->vtable, qv::RadioButton::Lookup()->vtable + Names{"Constructor(index)"});
        EXPECT_EQ(MethodsOf(table), (Names{"Constructor(index) %%i4", "Constructor %%"}));
        ExpectAttributes(table, "Private");
        EXPECT_TRUE(table->bindings.empty());
        EXPECT_EQ(qv::NotNil(table->Interface("bindingPartInterface"))->operations, Names{"getBoundPart"});
    }
}

}  // namespace
}  // namespace quil::testing
