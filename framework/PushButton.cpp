#include "PushButton.h"

#include "Application.h"
#include "ClassTable.h"
#include "Window.h"

#include <QPushButton>

namespace qv {

ClassRef PushButton::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "PushButton";
        t.factory = FactoryOf<PushButton>();
        t.events.push_back("Action");
    });
}

const PropertyKind& PushButton::Kind() {
    static const PropertyKind kind("PushButton", &PushButton::Lookup, Join({
        PlacedControlHead(),
        Pick(SharedProperties(), {"TabStop"}),
        {Field<&PushButton::caption_>("Caption", ""), Field<&PushButton::default_>("Default", false),
         Field<&PushButton::cancel_>("Cancel", false)},
        Pick(SharedProperties(), {"Enabled", "Visible", "HelpTag", "AutoDeactivate"}),
        TextStyle(),
        Pick(SharedProperties(), {"InitialParent"}),
    }), "Caption");
    return kind;
}

void PushButton::Push() {
    if (Enabled()) RaiseControlEvent("Action");
}

void PushButton::PropertyApplied(std::string_view name) {
    if (name == "Default" || name == "Cancel") Attached();
    Control::PropertyApplied(name);
}

void PushButton::Attached() {
    if (qv::Window* w = OwnerWindow()) {
        w->SetKeyControl(Window::Key::Return, this, default_);
        w->SetKeyControl(Window::Key::Escape, this, cancel_);
    }
}

QWidget* PushButton::MakeWidget(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        if (Enabled()) RaiseFromQt("Action");
    });
    return button;
}

void PushButton::SyncWidget() {
    Control::SyncWidget();
    if (auto* button = static_cast<QPushButton*>(Widget())) {
        button->setText(QString::fromStdString(caption_).replace('&', "&&"));
        button->setDefault(default_);
    }
}

}  // namespace qv
