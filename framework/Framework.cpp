#include "Framework.h"

namespace qv {

void InitFrameworkClassTables() {
    ObjectClass();
    Delegate::Lookup();
    Application::Lookup();
    Window::Lookup();
    Control::Lookup();
    Canvas::Lookup();
    PushButton::Lookup();
    StaticText::Lookup();
    CheckBox::Lookup();
    RadioButton::Lookup();
    Slider::Lookup();
    Separator::Lookup();
    Line::Lookup();
    MenuItem::Lookup();
    MenuBar::Lookup();
    QuitMenuItem::Lookup();
    AppleMenuItem::Lookup();
    Thread::Lookup();
    Picture::Lookup();
    Graphics::Lookup();
    FolderItem::Lookup();
    FileType::Lookup();
}

}  // namespace qv
