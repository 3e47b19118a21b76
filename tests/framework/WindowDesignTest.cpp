// Windows built from design tables: what a row or a table may not say, and what
// BuildControls makes of a table: creation and tab order, text sizes, events bound
// by operation name, control sets, and the class table's control accessors.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace qv {
namespace {

using design::DesignError;
using design::kNoIndex;
using design::Row;
using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;
using namespace std::string_literals;

TEST(DesignRow, RejectsWhatItsKindCannotCarry) {
    const Row ok{PushButton::Kind, "OK", kNoIndex, 0, 0, 80, 20, "OK", {}, 0};
    ASSERT_NO_THROW(design::Encode(ok));
    const std::pair<const char*, std::function<void(Row&)>> cases[] = {
        {"no TabIndex where the kind has one", [](Row& r) { r.tabIndex.reset(); }},
        {"a TabIndex where the kind has none", [](Row& r) {
             r.kind = Line::Kind;
             r.text.clear();
         }},
        {"text on a kind without text", [](Row& r) { r.kind = Canvas::Kind; }},
        {"a value on a kind without Value", [](Row& r) { r.value = 1; }},
        {"a text size on a kind without text", [](Row& r) {
             r.kind = Canvas::Kind;
             r.text.clear();
             r.textSize = 9;
         }},
        {"an entry unknown to the kind", [](Row& r) { r.particular = {{"Text", "OK"s}}; }},
        {"an entry of the wrong type", [](Row& r) { r.particular = {{"Enabled", 0}}; }},
        {"an entry that has its own column", [](Row& r) { r.particular = {{"Left", 5}}; }},
        {"the text column's entry", [](Row& r) { r.particular = {{"Caption", "OK"s}}; }},
    };
    for (const auto& [what, change] : cases) {
        Row row = ok;
        change(row);
        EXPECT_THROW(design::Encode(row), DesignError) << what;
    }
}

TEST(DesignRow, TheValueColumnFillsEachValueEntryInItsType) {
    const std::pair<Row, std::vector<PropertyEntry>> cases[] = {
        // kind              Name     Index     L  T  W  H  text    value TabIndex
        {{CheckBox::Kind,    "Box",   kNoIndex, 0, 0, 9, 9, "tick", 1,    0}, {{"State", 1}, {"Value", true}}},
        {{RadioButton::Kind, "Radio", kNoIndex, 0, 0, 9, 9, "",     1,    0}, {{"Value", true}}},
        {{Slider::Kind,      "Slide", kNoIndex, 0, 0, 9, 9, "",     42,   0}, {{"Value", 42}}},
        {{Line::Kind,        "Rule",  kNoIndex, 3, 4, 9, 9},                  {{"Left", 3}, {"Top", 4}}},
    };
    for (const auto& [row, expected] : cases) {
        const ControlDesign made = design::Encode(row);
        const std::vector<PropertyEntry> list = DecodePropertyList(*made.list, *made.kind);
        for (const PropertyEntry& e : expected) {
            auto it = std::find_if(list.begin(), list.end(), [&](const PropertyEntry& l) { return l.name == e.name; });
            ASSERT_NE(it, list.end()) << row.name << " " << e.name;
            EXPECT_EQ(it->value, e.value) << row.name << " " << e.name;
        }
    }
}

ControlDesign Named(const char* name, std::optional<int32_t> tabIndex) {
    ControlDesign c;
    c.name = name;
    c.tabIndex = tabIndex;
    return c;
}

TEST(DesignTable, RowsFollowTheTabOrderAndBindingsNameTheirControls) {
    struct Case {
        const char* what;
        std::vector<ControlDesign> controls;
        std::vector<EventBindingDesign> bindings;
        bool accepted;
    };
    const Case cases[] = {
        {"gaps, then controls without a TabIndex", {Named("a", 0), Named("b", 4), Named("c", {}), Named("d", {})},
         {{"b", "Action", "b_Action"}}, true},
        {"a TabIndex below the one before", {Named("a", 1), Named("b", 0)}, {}, false},
        {"a TabIndex given twice", {Named("a", 1), Named("b", 1)}, {}, false},
        {"a TabIndex after a control without one", {Named("a", {}), Named("b", 0)}, {}, false},
        {"a binding naming no control", {Named("a", 0)}, {{"b", "Action", "b_Action"}}, false},
    };
    for (const Case& c : cases) {
        if (c.accepted)
            EXPECT_NO_THROW(design::MakeDesign("", c.controls, c.bindings)) << c.what;
        else
            EXPECT_THROW(design::MakeDesign("", c.controls, c.bindings), DesignError) << c.what;
    }
}

// A set member whose construction asks for real points (TextUnit 2), which the
// window sets back to one pixel per point on a control that carries text.
template <class Base>
class PointsMember : public Base {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, &Base::Lookup, [](ClassTable& t) {
            t.name = "PointsMember." + std::string(Base::Kind().Name());
            t.factory = FactoryOf<PointsMember>();
        });
    }
    using Base::Constructor;
    void Constructor(int32_t index) override {
        Base::Constructor(index);
        this->SetTextUnit(2);
    }
};

// Gaps in the tab order, five buttons of one set made in index order 0, 1, 3, 2, 4,
// a canvas set member, and a canvas given a TextSize that no row could give it.
WindowDesign SampleDesign() {
    // kind              Name   Index     L   T  W   H   text  value TabIndex particular TextSize
    std::vector<Row> rows = {
        {Canvas::Kind,     "Pad", kNoIndex, 0,  0, 40, 40, "",   {},   0},
        {PushButton::Kind, "Go",  kNoIndex, 50, 0, 60, 20, "go", {},   3,       {},        9},
    };
    int32_t tab = 10;
    for (int32_t i : {0, 1, 3, 2, 4})
        rows.push_back({PushButton::Kind, "Key", i, 20 * i, 50, 20, 20, "key " + std::to_string(i), {}, tab++});
    rows.push_back({StaticText::Kind, "Note", kNoIndex, 0, 80, 60, 20, "note", {}, 17});
    rows.push_back({Canvas::Kind, "Dots", 0, 0, 100, 9, 9, "", {}, 20});
    std::vector<ControlDesign> controls = design::Encode(rows);
    controls[0].textSize = 9;
    return design::MakeDesign(design::EncodeWindow({{"Width", 200}, {"Height", 120}}), std::move(controls),
                              {{"Go", "Action", "Button_Action"}, {"Key", "Action", "Button_Action"}});
}

class BuildControlsTest : public ScriptedWindowTest {
protected:
    Ref<ScriptedWindow> Build(const WindowDesign& table) {
        Script().list = table.list;
        Script().createControls = [&table](ScriptedWindow& w) {
            BuildControls(w, table,
                          {{"Key", &PointsMember<PushButton>::Lookup}, {"Dots", &PointsMember<Canvas>::Lookup}});
        };
        return ImplicitInstance<ScriptedWindow>();
    }
};

TEST_F(BuildControlsTest, ControlsAreMadeInRowOrderWithTheirRowsTabIndexes) {
    const WindowDesign table = SampleDesign();
    Ref<ScriptedWindow> w = Build(table);
    ASSERT_EQ(w->Controls().size(), table.controls.size());
    for (size_t i = 0; i < table.controls.size(); ++i) {
        const ControlDesign& row = table.controls[i];
        const Ref<Control>& made = w->Controls()[i];
        EXPECT_EQ(std::tuple(made->Name(), made->Index(), made->TabIndex()),
                  std::tuple(row.name, row.index, *row.tabIndex));
    }
}

TEST_F(BuildControlsTest, TextSizeAndTextUnitGoOnlyToControlsThatCarryText) {
    Ref<ScriptedWindow> w = Build(SampleDesign());
    const std::tuple<const char*, Ref<Control>, float, int32_t> cases[] = {
        {"Go", RuntimeWindowControlByName(*w, "Go"), 9.0f, 0},
        {"Note", RuntimeWindowControlByName(*w, "Note"), 0.0f, 0},
        {"Pad", RuntimeWindowControlByName(*w, "Pad"), 0.0f, 0},
        {"Key 3", RuntimeWindowControlByNameIndex(*w, "Key", 3), 0.0f, 0},
        {"Dots 0", RuntimeWindowControlByNameIndex(*w, "Dots", 0), 0.0f, 2},
    };
    for (const auto& [what, control, textSize, textUnit] : cases) {
        ASSERT_TRUE(control) << what;
        EXPECT_EQ(control->TextSize(), textSize) << what;
        EXPECT_EQ(control->TextUnit(), textUnit) << what;
    }
}

TEST_F(BuildControlsTest, EventsAreBoundToTheWindowsOperationByName) {
    Ref<ScriptedWindow> w = Build(SampleDesign());
    std::vector<std::pair<Object*, Object*>> entered;  // (Self, Me)
    w->onAction = [&](ScriptedWindow& self, PushButton& me) { entered.emplace_back(&self, &me); };
    const Ref<Control> go = RuntimeWindowControlByName(*w, "Go"), key = RuntimeWindowControlByNameIndex(*w, "Key", 2);
    for (const Ref<Control>& c : {go, key}) qobject_cast<QPushButton*>(c->Widget())->click();
    EXPECT_EQ(entered, (std::vector<std::pair<Object*, Object*>>{{w.get(), go.get()}, {w.get(), key.get()}}));

    const Row lone{PushButton::Kind, "Go", kNoIndex, 0, 0, 9, 9, "", {}, 0};
    const WindowDesign unbound = design::MakeDesign("", {design::Encode(lone)}, {{"Go", "Action", "Go_Action"}});
    w->Close();
    EXPECT_THROW(Build(unbound), RuntimeException) << "the window has no such operation";
}

TEST_F(BuildControlsTest, SetMembersAreMadeFromTheSetsClassAndFoundByNameAndIndex) {
    Ref<ScriptedWindow> w = Build(SampleDesign());
    std::vector<int32_t> made;
    for (const Ref<Control>& c : w->Controls())
        if (c->Name() == "Key") made.push_back(c->Index());
    EXPECT_EQ(made, (std::vector<int32_t>{0, 1, 3, 2, 4}));
    for (int32_t i = 0; i < 5; ++i) {
        auto member = RuntimeCheckCast<PointsMember<PushButton>>(RuntimeWindowControlByNameIndex(*w, "Key", i));
        ASSERT_TRUE(member) << i;
        EXPECT_EQ(member->Caption(), "key " + std::to_string(i));
        EXPECT_EQ(qobject_cast<QPushButton*>(member->Widget())->text().toStdString(), member->Caption());
    }
    EXPECT_FALSE(RuntimeWindowControlByName(*w, "Key")) << "a member is reached only with its index";
    EXPECT_FALSE(RuntimeWindowControlByNameIndex(*w, "Key", 5));
    EXPECT_FALSE(RuntimeCheckCast<PointsMember<PushButton>>(RuntimeWindowControlByName(*w, "Go")));
}

TEST(ControlAccessors, OnePerNameInCreationOrderAndOneTakingAnIndexPerSet) {
    ClassTable table;
    AddControlAccessors(table, SampleDesign());
    std::vector<std::pair<std::string, std::string>> accessors;
    for (const MethodEntry& m : table.methods) accessors.emplace_back(m.name, m.signature);
    EXPECT_EQ(accessors, (std::vector<std::pair<std::string, std::string>>{{"Pad", "%o<Canvas>%s"},
                                                                           {"Go", "%o<PushButton>%s"},
                                                                           {"Key", "%o<PushButton>%si4"},
                                                                           {"Note", "%o<StaticText>%s"},
                                                                           {"Dots", "%o<Canvas>%si4"}}));
}

}  // namespace
}  // namespace qv
