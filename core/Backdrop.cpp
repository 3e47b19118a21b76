#include "Backdrop.h"

namespace quil {
namespace {

qv::Ref<qv::Picture> pic;

}  // namespace

qv::Ref<qv::Picture> x_quil1::quil1() {
    if (!pic) {
        // A missing resource folder or picture is no error: the window goes without.
        if (qv::Ref<qv::FolderItem> resources = qv::GetApplicationBundleResources())
            if (qv::Ref<qv::FolderItem> file = resources->Child("quil.pct")) pic = file->OpenAsPicture();
    }
    return pic;
}

void x_quil1::Reset() { pic = nullptr; }

}  // namespace quil
