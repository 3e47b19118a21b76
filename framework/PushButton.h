// A push button raises "Action" when clicked.
#pragma once

#include "Control.h"

namespace qv {

class PushButton : public Control {
public:
    static ClassRef Lookup();
    PushButton() { SetTextBearing(); }

    const std::string& Caption() const { return caption_; }
    bool Default() const { return default_; }
    bool Cancel() const { return cancel_; }
    // What a click does: raises "Action" when the button is enabled.
    void Push();

    bool SetProperty(const PropertyEntry& entry) override;

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;

private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

}  // namespace qv
