#include "Separator.h"

#include "ClassTable.h"
#include "Exceptions.h"
#include "PluginEntrypoints.h"

#include <QPainter>
#include <QWidget>

namespace qv {

namespace {

constexpr std::string_view kCreatePane = "Separator.Event_CreatePane(parent As Pane) As Pane";
using CreatePane = QWidget* (*)(QWidget* parent);

// A line along the pane's longer side, through its middle.
class SeparatorPane : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Dark), 1));
        if (height() > width()) {
            const int x = width() / 2;
            painter.drawLine(x, 0, x, height() - 1);
        } else {
            const int y = height() / 2;
            painter.drawLine(0, y, width() - 1, y);
        }
    }
};

QWidget* MakeSeparatorPane(QWidget* parent) {
    auto* pane = new SeparatorPane(parent);
    pane->setFocusPolicy(Qt::NoFocus);
    return pane;
}

}  // namespace

void AddSeparatorEntrypoints() {
    AddPluginEntrypoint(kCreatePane, reinterpret_cast<PluginEntry>(&MakeSeparatorPane));
}

ClassRef Separator::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "Separator";
        t.factory = FactoryOf<Separator>();
    });
}

const PropertyKind& Separator::Kind() {
    static const PropertyKind kind("Separator", &Separator::Lookup, Join({
        PlacedControlHead(),
        Pick(SharedProperties(), {"TabStop", "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled"}),
    }));
    return kind;
}

QWidget* Separator::MakeWidget(QWidget* parent) {
    auto create = PluginEntrypoint<CreatePane>(kCreatePane);
    // A process that skipped the plug-in start-up (a test, a tool) still gets its separators.
    if (!create) {
        AddSeparatorEntrypoints();
        create = PluginEntrypoint<CreatePane>(kCreatePane);
    }
    if (!create) throw RuntimeException("no plug-in makes the separator's pane");
    return create(parent);
}

}  // namespace qv
