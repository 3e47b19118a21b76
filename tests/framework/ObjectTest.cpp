// Object references, class-checked casts, new objects and where GUI objects die.
#include "ScriptedWindow.h"

#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace qv {
namespace {

using qv::testing::PumpUntil;
using qv::testing::RuntimeTest;

int liveCounted = 0;
std::vector<std::string> finalised;

// Counts the objects that hold one, without giving them a constructor of their own.
struct LiveToken {
    LiveToken() { ++liveCounted; }
    LiveToken(const LiveToken&) = delete;
    ~LiveToken() { --liveCounted; }
};

// Base ← Derived, and Unrelated beside them. Each class has a finaliser that notes
// its name, and Base's releases its object-valued property as the system's do.
class Base : public Object {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
            t.name = "ObjectTest.Base";
            t.factory = FactoryOf<Base>();
            t.finaliser = [](Object& o) {
                finalised.push_back("Base");
                static_cast<Base&>(o).Held = nullptr;
            };
            t.AddProperty("Held", "Object");
            t.AddProperty("Count", "Int32");
            t.AddProperty("Flag", "Boolean");
            t.AddProperty("Ratio", "Double");
        });
    }
    LiveToken token;
    // Declared properties: no initialisers, the runtime must start them at zero.
    Ref<Object> Held;
    int32_t Count;
    bool Flag;
    double Ratio;
    char Tag[24];
};

class Derived : public Base {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Base::Lookup, [](ClassTable& t) {
            t.name = "ObjectTest.Derived";
            t.factory = FactoryOf<Derived>();
            t.finaliser = [](Object&) { finalised.push_back("Derived"); };
        });
    }
};

class Unrelated : public Object {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
            t.name = "ObjectTest.Unrelated";
            t.factory = FactoryOf<Unrelated>();
        });
    }
};

class RefTest : public ::testing::Test {
protected:
    void SetUp() override {
        liveCounted = 0;
        finalised.clear();
    }
    void TearDown() override { EXPECT_EQ(liveCounted, 0) << "an object outlived every reference to it"; }
};

TEST_F(RefTest, CopiesAndMovesKeepTheCountRight) {
    {
        Ref<Base> a(new Base);
        EXPECT_EQ(a->RefCount(), 1);

        Ref<Base> b = a;
        EXPECT_EQ(a->RefCount(), 2);
        EXPECT_EQ(a, b);

        Ref<Base> c = std::move(b);
        EXPECT_EQ(b, nullptr);
        EXPECT_EQ(a->RefCount(), 2);

        Ref<Object> widened = c;  // converting copy
        EXPECT_EQ(a->RefCount(), 3);
        Ref<Object> widenedMove = std::move(c);  // converting move
        EXPECT_EQ(c, nullptr);
        EXPECT_EQ(a->RefCount(), 3);

        widened = widened;  // self-assignment keeps the object
        EXPECT_EQ(a->RefCount(), 3);
        widened = nullptr;
        widenedMove = nullptr;
        EXPECT_EQ(a->RefCount(), 1);
        EXPECT_EQ(liveCounted, 1);
    }
    EXPECT_EQ(liveCounted, 0);
}

TEST_F(RefTest, AssignmentReleasesTheOldObjectAndHoldsTheNew) {
    Ref<Base> a(new Base);
    Ref<Base> b(new Base);
    Base* second = b.get();
    EXPECT_EQ(liveCounted, 2);

    a = b;
    EXPECT_EQ(liveCounted, 1) << "the object a held had no other reference";
    EXPECT_EQ(second->RefCount(), 2);

    b = std::move(a);
    EXPECT_EQ(second->RefCount(), 1);
    EXPECT_EQ(a, nullptr);

    b = nullptr;
    EXPECT_EQ(liveCounted, 0);
}

TEST_F(RefTest, ReleaseHandsTheReferenceOverWithoutDroppingIt) {
    Ref<Base> a(new Base);
    Base* raw = a.release();
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(raw->RefCount(), 1);
    EXPECT_EQ(liveCounted, 1);
    RuntimeUnlockObject(raw);
    EXPECT_EQ(liveCounted, 0);
}

void ThrowHoldingReferences(const Ref<Base>& outer, int depth) {
    Ref<Base> copy = outer;
    Ref<Base> local(new Base);
    local->Held = Ref<Object>(new Base);
    if (depth == 0) throw std::runtime_error("deep");
    try {
        ThrowHoldingReferences(outer, depth - 1);
    } catch (...) {
        RuntimeReraiseException();
    }
}

TEST_F(RefTest, ReferencesAreReleasedWhenAnExceptionUnwindsThroughTheirScopes) {
    Ref<Base> outer(new Base);
    EXPECT_THROW(ThrowHoldingReferences(outer, 3), std::runtime_error);
    EXPECT_EQ(outer->RefCount(), 1);
    EXPECT_EQ(liveCounted, 1) << "only the outer object is still referenced";
}

TEST_F(RefTest, FinalisersRunFromTheObjectsOwnClassUpAndReleaseItsProperties) {
    ObjectClass();
    Derived::Lookup();
    {
        Ref<Derived> d = RuntimeCheckCast<Derived>(RuntimeNewObject(Derived::Lookup()));
        ASSERT_TRUE(d);
        d->Held = RuntimeNewObject(Base::Lookup());
        EXPECT_EQ(liveCounted, 2);
    }
    EXPECT_EQ(finalised, (std::vector<std::string>{"Derived", "Base", "Base"}))
        << "the derived object's finalisers, then the released property's own";
    EXPECT_EQ(liveCounted, 0);
}

TEST_F(RefTest, CheckCastFollowsTheSuperclassChain) {
    Ref<Object> derived = RuntimeNewObject(Derived::Lookup());
    Ref<Object> base = RuntimeNewObject(Base::Lookup());
    Ref<Object> unrelated = RuntimeNewObject(Unrelated::Lookup());

    EXPECT_EQ(RuntimeCheckCast<Derived>(derived).get(), derived.get());
    EXPECT_EQ(RuntimeCheckCast<Base>(derived).get(), derived.get()) << "a subclass is its superclass";
    EXPECT_EQ(RuntimeCheckCast<Base>(base).get(), base.get());
    EXPECT_FALSE(RuntimeCheckCast<Derived>(base)) << "a superclass is not its subclass";
    EXPECT_FALSE(RuntimeCheckCast<Base>(unrelated));
    EXPECT_FALSE(RuntimeCheckCast<Unrelated>(derived));
    EXPECT_FALSE(RuntimeCheckCast<Base>(Ref<Object>()));
    EXPECT_FALSE(RuntimeCheckCast<Base>(static_cast<Object*>(nullptr)));

    Ref<Object> classless(new Base);  // made without its class: the runtime cannot vouch for it
    EXPECT_FALSE(RuntimeCheckCast<Base>(classless));

    EXPECT_EQ(derived->RefCount(), 1) << "a cast holds its reference only as long as its result";
}

// Each new object comes from memory that held something else before.
TEST_F(RefTest, NewObjectsStartWithZeroNilAndFalseProperties) {
    for (int round = 0; round < 8; ++round) {
        {
            auto dirty = std::make_unique<unsigned char[]>(sizeof(Derived));
            std::memset(dirty.get(), 0xA5, sizeof(Derived));
        }
        Ref<Derived> d = RuntimeCheckCast<Derived>(RuntimeNewObject(Derived::Lookup()));
        ASSERT_TRUE(d);
        EXPECT_EQ(d->Class(), Derived::Lookup());
        EXPECT_EQ(d->Held, nullptr);
        EXPECT_EQ(d->Count, 0);
        EXPECT_FALSE(d->Flag);
        EXPECT_EQ(d->Ratio, 0.0);
        EXPECT_EQ(std::string(d->Tag, sizeof d->Tag), std::string(sizeof d->Tag, '\0'));
    }
}

TEST_F(RefTest, NewObjectOfNilOrAbstractClassFails) {
    EXPECT_THROW(RuntimeNewObject(ClassRef{}), NilObjectException);
    EXPECT_THROW(RuntimeNewObject(ObjectClass()), RuntimeException) << "Object has no factory";
}

// ---- objects that need the runtime ----

class ObjectRuntimeTest : public RuntimeTest {};

// A control whose construction the test can see.
int constructorRuns = 0;
class CountingButton : public PushButton {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, PushButton::Lookup, [](ClassTable& t) {
            t.name = "ObjectTest.CountingButton";
            t.factory = FactoryOf<CountingButton>();
        });
    }
    void Constructor() override { ++constructorRuns; }
};

TEST_F(ObjectRuntimeTest, NewObjectRunsNoConstructor) {
    constructorRuns = 0;
    Ref<Object> button = RuntimeNewObject(CountingButton::Lookup());
    ASSERT_TRUE(button);
    EXPECT_EQ(constructorRuns, 0);

    Ref<Window> window = RuntimeCheckCast<Window>(RuntimeNewObject(qv::testing::ScriptedWindow::Lookup()));
    ASSERT_TRUE(window);
    EXPECT_TRUE(RuntimeCheckCast<qv::testing::ScriptedWindow>(window)->raised.empty()) << "no event was raised";
    EXPECT_FALSE(window->IsOpen()) << "making a window does not build it";
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_FALSE(window->Widget()->isVisible());
}

// A GUI-affine object that notes the thread it dies on.
std::thread::id diedOn;
bool died = false;
class GuiThing : public Object {
public:
    bool GuiAffine() const override { return true; }
    ~GuiThing() override {
        diedOn = std::this_thread::get_id();
        died = true;
    }
};

TEST_F(ObjectRuntimeTest, GuiObjectReleasedLastOnAWorkerDiesOnTheGuiThread) {
    died = false;
    Ref<GuiThing> thing(new GuiThing);
    std::thread worker([held = std::move(thing)]() mutable { held = nullptr; });
    worker.join();
    EXPECT_FALSE(died) << "the worker must not destroy it";
    ASSERT_TRUE(PumpUntil([] { return died; }));
    EXPECT_EQ(diedOn, std::this_thread::get_id());
}

TEST_F(ObjectRuntimeTest, WindowReleasedLastOnAWorkerDiesOnTheGuiThread) {
    Ref<Window> window = RuntimeCheckCast<Window>(RuntimeNewObject(qv::testing::ScriptedWindow::Lookup()));
    ASSERT_TRUE(window);
    QPointer<QWidget> widget = window->Widget();
    std::thread worker([held = std::move(window)]() mutable { held = nullptr; });
    worker.join();
    ASSERT_TRUE(widget) << "the worker must not tear the widget down";
    EXPECT_TRUE(PumpUntil([&] { return widget.isNull(); }));
}

TEST_F(ObjectRuntimeTest, OtherObjectsDieWhereTheirLastReferenceGoes) {
    std::thread::id where;
    class Plain : public Object {
    public:
        explicit Plain(std::thread::id* w) : where_(w) {}
        ~Plain() override { *where_ = std::this_thread::get_id(); }

    private:
        std::thread::id* where_;
    };
    Ref<Plain> p(new Plain(&where));
    std::thread::id workerId;
    std::thread worker([&workerId, held = std::move(p)]() mutable {
        workerId = std::this_thread::get_id();
        held = nullptr;
    });
    worker.join();
    EXPECT_EQ(where, workerId);
}

}  // namespace
}  // namespace qv
