// Class tables: built once, inheritance of operations and events, bindings and
// introspection, and the framework's own Window table.
#include "Framework.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qv {
namespace {

int shapeBuilds = 0;
ClassRef seenDuringBuild = nullptr;
std::vector<std::string> calls;

class Shape : public Object {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
            ++shapeBuilds;
            // A lookup during the build finds the table being built.
            seenDuringBuild = Shape::Lookup();
            t.name = "ClassTableTest.Shape";
            t.factory = FactoryOf<Shape>();
            t.vtable = {"Draw", "Area", "Name"};
            t.events = {"Drawn", "Moved"};
            t.Bind("Drawn", [](Object& o) { static_cast<Shape&>(o).Note("Shape.Drawn"); });
            t.Bind("Moved", [](Object& o) { static_cast<Shape&>(o).Note("Shape.Moved"); });
            t.AddMethod("Draw", "%%");
            t.AddMethod("Area", "%i4%");
            t.AddMethod("Hidden", "%%", {{"__Scope", "Public"}, {"Hidden", ""}});
            t.AddProperty("Corners", "Int32");
            t.attributes.push_back({"__Scope", "Public"});
        });
    }
    void Note(const char* what) { calls.push_back(what); }
};

class Square : public Shape {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Shape::Lookup, [](ClassTable& t) {
            t.name = "ClassTableTest.Square";
            t.factory = FactoryOf<Square>();
            t.Override("Area");
            t.AddVirtual("Side");
            t.AddVirtual("Rotate");
            t.Bind("Moved", [](Object& o) { static_cast<Square&>(o).Note("Square.Moved"); });
        });
    }
};

TEST(ClassTable, IsBuiltOnceAndALookupDuringTheBuildReturnsTheStoredReference) {
    ClassRef first = Shape::Lookup();
    ClassRef second = Shape::Lookup();
    Square::Lookup();  // builds on Shape without building it again
    EXPECT_EQ(first, second);
    EXPECT_EQ(shapeBuilds, 1);
    EXPECT_EQ(seenDuringBuild, first);
    EXPECT_EQ(Square::Lookup()->super, first);
}

TEST(ClassTable, ASubclassKeepsItsSuperclassOperationsInOrderAndAppendsItsOwn) {
    EXPECT_EQ(Square::Lookup()->vtable, (std::vector<std::string>{"Draw", "Area", "Name", "Side", "Rotate"}));
    EXPECT_EQ(Square::Lookup()->events, Shape::Lookup()->events);
    EXPECT_EQ(Shape::Lookup()->vtable.size(), 3u) << "appending to a subclass leaves its superclass alone";
}

TEST(ClassTable, RejectsOverridesAndBindingsTheSuperclassDoesNotHave) {
    ClassTable* t = RuntimeNewClass(Shape::Lookup());
    t->name = "ClassTableTest.Broken";
    EXPECT_THROW(t->Override("Paint"), RuntimeException);
    EXPECT_THROW(t->Bind("Clicked", [](Object&) {}), RuntimeException);
    EXPECT_NO_THROW(t->Bind("Drawn", [](Object&) {}));
    EXPECT_TRUE(t->bindings.size() == 1);
}

TEST(ClassTable, RaiseEventCallsTheBoundMethodAndSubclassesInheritOrReplaceBindings) {
    Ref<Object> shape = RuntimeNewObject(Shape::Lookup());
    Ref<Object> square = RuntimeNewObject(Square::Lookup());
    calls.clear();

    EXPECT_TRUE(RaiseEvent(*shape, "Drawn"));
    EXPECT_TRUE(RaiseEvent(*square, "Drawn"));
    EXPECT_TRUE(RaiseEvent(*shape, "Moved"));
    EXPECT_TRUE(RaiseEvent(*square, "Moved"));
    EXPECT_EQ(calls, (std::vector<std::string>{"Shape.Drawn", "Shape.Drawn", "Shape.Moved", "Square.Moved"}));

    calls.clear();
    EXPECT_FALSE(RaiseEvent(*square, "Resized")) << "no class binds it";
    Ref<Object> classless(new Shape);
    EXPECT_FALSE(RaiseEvent(*classless, "Drawn"));
    EXPECT_TRUE(calls.empty());
}

TEST(ClassTable, FindClassAndIntrospection) {
    Square::Lookup();
    EXPECT_EQ(FindClass("ClassTableTest.Shape"), Shape::Lookup());
    EXPECT_EQ(FindClass("ClassTableTest.Square"), Square::Lookup());
    EXPECT_EQ(FindClass("ClassTableTest.Nothing"), nullptr);

    // A class built after an earlier search is found too.
    EXPECT_EQ(FindClass("Window"), Window::Lookup());

    ClassRef shape = Shape::Lookup();
    ASSERT_NE(shape->Method("Area"), nullptr);
    EXPECT_EQ(shape->Method("Area")->signature, "%i4%");
    ASSERT_EQ(shape->Method("Draw")->attributes.size(), 1u);
    EXPECT_EQ(shape->Method("Draw")->attributes[0].name, "__Scope");
    EXPECT_EQ(shape->Method("Draw")->attributes[0].value, "Public");
    const auto& hidden = shape->Method("Hidden")->attributes;
    ASSERT_EQ(hidden.size(), 2u);
    EXPECT_EQ(hidden[1].name, "Hidden");
    EXPECT_EQ(hidden[1].value, "");
    EXPECT_EQ(shape->Method("Missing"), nullptr);
    ASSERT_EQ(shape->properties.size(), 1u);
    EXPECT_EQ(shape->properties[0].name, "Corners");
    EXPECT_EQ(shape->properties[0].type, "Int32");
    EXPECT_EQ(shape->properties[0].scope, "Public");

    bool listed = false;
    for (ClassRef c : AllClasses()) listed = listed || c == shape;
    EXPECT_TRUE(listed);
}

TEST(ClassTable, IsAWalksTheSuperclassChain) {
    EXPECT_TRUE(Square::Lookup()->IsA(Shape::Lookup()));
    EXPECT_TRUE(Square::Lookup()->IsA(ObjectClass()));
    EXPECT_FALSE(Shape::Lookup()->IsA(Square::Lookup()));
    EXPECT_FALSE(Shape::Lookup()->IsA(Window::Lookup()));
}

TEST(FrameworkClassTables, WindowHasItsFiftyOperationsAndItsEventTable) {
    ClassRef w = Window::Lookup();
    EXPECT_EQ(w->vtable, (std::vector<std::string>{
        "Show", "ShowWithin", "ShowModalWithin", "Hide", "Close", "Refresh", "RefreshRect", "ShowModal", "NewDragItem",
        "AcceptTextDrop", "AcceptPictureDrop", "AcceptFileDrop", "AcceptMacDataDrop", "AcceptRawDataDrop", "Control",
        "SetFocus", "DrawInto", "_DrawBackground", "UpdateNow", "_AddControl", "_AddMenuHandler", "Window",
        "Operator_Convert", "__New", "_Move", "Maximize", "Minimize", "Restore", "_Update", "_CallMoved",
        "_EnableMenuItems", "_CallActivated", "_CallDeactivated", "_HandleMenuCommand", "_UnifiedClose",
        "_CallMouseDown", "_CallResized", "_CallResizing", "_RemoveControl", "_MouseEnter", "_MouseExit", "_MouseMove",
        "_Paint", "_MouseWheel", "_KeyDown", "__DependencyList", "Constructor", "TrueWindow", "FocusNext",
        "FocusPrevious"}));

    ASSERT_EQ(w->events.size(), 32u);
    EXPECT_EQ(std::vector<std::string>(w->events.begin(), w->events.begin() + 3),
              (std::vector<std::string>{"Layout", "CreateControls", "AddMenuHandlers"}));
    EXPECT_EQ(w->events[5], "Close");
    EXPECT_EQ(w->events[16], "EnableMenuItems");
    EXPECT_EQ(w->events.back(), "DragOver");
    EXPECT_EQ(w->super, ObjectClass());
}

TEST(FrameworkClassTables, ControlClassesAndTheirEvents) {
    auto has = [](ClassRef c, const char* event) {
        for (const auto& e : c->events)
            if (e == event) return true;
        return false;
    };
    EXPECT_TRUE(PushButton::Lookup()->IsA(Control::Lookup()));
    EXPECT_TRUE(has(PushButton::Lookup(), "Action"));
    EXPECT_TRUE(has(Canvas::Lookup(), "Paint"));
    EXPECT_TRUE(has(Thread::Lookup(), "Run"));
    EXPECT_TRUE(has(Application::Lookup(), "EnableMenuItems"));
    EXPECT_TRUE(QuitMenuItem::Lookup()->IsA(MenuItem::Lookup()));
    EXPECT_TRUE(MenuBar::Lookup()->IsA(MenuItem::Lookup()));
    // A menu bar keeps the menu item's operations and appends its own.
    const auto& item = MenuItem::Lookup()->vtable;
    const auto& bar = MenuBar::Lookup()->vtable;
    ASSERT_GT(bar.size(), item.size());
    EXPECT_TRUE(std::equal(item.begin(), item.end(), bar.begin()));
}

}  // namespace
}  // namespace qv
