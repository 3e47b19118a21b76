#include "PushButton.h"

#include "Application.h"
#include "ClassTable.h"

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

void PushButton::Push() {
    if (Enabled()) RaiseControlEvent("Action");
}

bool PushButton::SetProperty(const PropertyEntry& e) {
    if (e.name == "Caption") caption_ = std::get<std::string>(e.value);
    else if (e.name == "Default") default_ = std::get<bool>(e.value);
    else if (e.name == "Cancel") cancel_ = std::get<bool>(e.value);
    else return Control::SetProperty(e);
    SyncWidget();
    return true;
}

QWidget* PushButton::MakeWidget(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [this] { GuardedCall([this] { Push(); }); });
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
