// Applies arbitrary bytes as a property list to a fresh window or control. The
// lists come from the design data, but the reader and every setter must still
// stand up to any bytes: a malformed list ends in PropertyListException and in
// nothing else, and no setter may corrupt memory or allocate without bound.
// Anything else that escapes is a crash for libFuzzer to report.
#include "Framework.h"
#include "FuzzInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string_view>

namespace {

using namespace qv;

class ScratchWindow : public Window {
public:
    static ClassRef Lookup() {
        static ClassTable* ref = nullptr;
        return BuildClassTable(ref, Window::Lookup, [](ClassTable& t) {
            t.name = "ScratchWindow.ScratchWindow";
            t.factory = FactoryOf<ScratchWindow>();
        });
    }
};

Ref<Window> NewWindow() {
    Ref<Window> w = RuntimeCheckCast<Window>(RuntimeNewObject(ScratchWindow::Lookup()));
    w->Constructor();
    return w;
}

// Controls pile up on the window that holds them and closed windows wait for the
// event loop to delete them, so every so many inputs the holder is painted,
// closed and replaced and the queued deletions run, which keeps memory flat.
constexpr unsigned kInputsPerWindow = 64;

// Runs what closing and painting left queued, and lets an exception caught where
// Qt called the framework escape like any other.
void Settle() {
    ProcessEvents();
    if (std::exception_ptr e = TakePendingException()) std::rethrow_exception(e);
}

Ref<Window>& Holder() {
    static Ref<Window> holder;
    return holder;
}

void RenewHolder() {
    Ref<Window>& holder = Holder();
    if (holder) {
        Settle();
        holder->Close();
        holder = nullptr;
    }
    Settle();
    holder = NewWindow();
    PropertyListWriter shown;
    shown.Int32("Width", 400).Int32("Height", 400).Boolean("Visible", true);
    SetProperties(*holder, shown.Bytes());
}

void Apply(const PropertyKind& kind, std::string_view list) {
    if (&kind == &Window::Kind()) {
        Ref<Window> w = NewWindow();
        try {
            SetProperties(*w, list);
        } catch (...) {
            w->Close();
            throw;
        }
        w->Close();
        return;
    }
    Ref<Control> control = CreateControl(*Holder(), kind.Class(), "Fuzzed", {});
    SetProperties(*control, list);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    RuntimeInit();
    InitFrameworkClassTables();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned inputs = 0;
    if (size == 0) return 0;
    if (inputs++ % kInputsPerWindow == 0) RenewHolder();
    const PropertyKind& kind = fuzz::KindOfInput(data[0]);
    const std::string_view list(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        Apply(kind, list);
    } catch (const PropertyListException&) {
        // What a malformed list is meant to end in.
    }
    return 0;
}
