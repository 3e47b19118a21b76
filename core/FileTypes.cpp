#include "FileTypes.h"

namespace quil::FileTypes {

qv::Ref<qv::FileType> pText;

void Initialize() {
    pText = qv::RuntimeNewObject<qv::FileType>();
    qv::FileType& type = *qv::NotNil(pText);
    type.SetName("text");
    type.SetExtensions("");
    type.SetMacType("TEXT");
    type.SetMacCreator("R*ch");
    // The String conversion registers the type, now that every value is set.
    (void)type.ToString();
}

void pText_Exit() { pText = nullptr; }

}  // namespace quil::FileTypes
