// The separator, a plug-in control: a line along its longer side. Its pane comes
// from the plug-in entry-point table.
#pragma once

#include "Control.h"

namespace qv {

class Separator : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
};

}  // namespace qv
