#include "BackgroundDrawing.h"

namespace quil {

qv::ClassRef BackgroundDrawing::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return qv::BuildClassTable(ref, qv::Thread::Lookup, [](qv::ClassTable& t) {
        t.name = "BackgroundDrawing";
        t.factory = qv::FactoryOf<BackgroundDrawing>();
        t.finaliser = [](qv::Object& o) {
            auto& self = static_cast<BackgroundDrawing&>(o);
            self.OffscreenPicture = nullptr;
            self.TheCanvas = nullptr;
        };
        t.AddProperty("OffscreenPicture", "Picture");
        t.AddProperty("Stop", "Boolean");
        t.AddProperty("TheCanvas", "Canvas");
        t.AddVirtual("Event_Run");
        t.Bind("Run", [](qv::Object& self) { static_cast<BackgroundDrawing&>(self).Event_Run(); });
        t.AddMethod("Event_Run", "%%");
    });
}

void BackgroundDrawing::Event_Run() {
    {
        const qv::Ref<qv::Canvas>& canvas = qv::NotNil(TheCanvas);
        const int32_t w = canvas->Width();
        const int32_t h = canvas->Height();
        OffscreenPicture = qv::NewPicture(w, h, 32);
    }
    int32_t pass = 0;
    for (;;) {
        if (qv::UserCancelled()) break;
        const int32_t gray = qv::RuntimeCvtReal64ToSInt32(qv::Rnd() * 255.0);
        const qv::Ref<qv::Graphics>& g = qv::NotNil(OffscreenPicture)->Graphics();
        const int32_t x =
            qv::RuntimeCvtReal64ToSInt32(qv::Rnd() * qv::RuntimeCvtSInt32ToReal64(OffscreenPicture->Width()));
        const int32_t y =
            qv::RuntimeCvtReal64ToSInt32(qv::Rnd() * qv::RuntimeCvtSInt32ToReal64(OffscreenPicture->Height()));
        qv::NotNil(g)->Pixel(x, y, qv::RGB(gray, gray, gray));
        if (pass == 10) {
            const qv::Ref<qv::Graphics>& canvasGraphics = qv::NotNil(TheCanvas)->Graphics();
            constexpr int32_t own = qv::Graphics::NotGiven;
            qv::NotNil(canvasGraphics)->DrawPicture(*OffscreenPicture, 0, 0, own, own, 0, 0, own, own);
            pass = 0;
        } else {
            ++pass;
        }
        qv::RuntimeBackgroundTask();
        if (Stop.load(std::memory_order_acquire)) break;
    }
}

}  // namespace quil
