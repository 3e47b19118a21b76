// A push button raises "Action" when clicked.
#pragma once

#include "Control.h"

namespace qv {

class PushButton : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

    const std::string& Caption() const { return caption_; }
    bool Default() const { return default_; }
    bool Cancel() const { return cancel_; }
    // What a click does: raises "Action" when the button is enabled.
    void Push();
    // Return presses a default button, Escape a cancel button.
    void Press() override { Push(); }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;
    void PropertyApplied(std::string_view name) override;
    void Attached() override;

private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

}  // namespace qv
