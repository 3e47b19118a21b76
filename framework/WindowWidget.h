// The Qt side of a window. Internal to the framework.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

namespace qv {

class Window;
class MenuItem;
class Picture;

// The content area: design coordinates, backdrop and back colour.
class ContentArea : public QWidget {
public:
    ContentArea(Window* owner, QWidget* parent);
    void Disown() { owner_ = nullptr; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage BackdropImage(const Picture& picture, QImage::Format format);

    Window* owner_;
    // The backdrop in a backing store format that its pixels are not already in, and
    // the surface and version it was converted from.
    QImage converted_;
    uint64_t convertedFrom_ = 0, convertedVersion_ = 0;
};

class WindowWidget : public QMainWindow {
public:
    explicit WindowWidget(Window* owner);
    Window* Owner() const { return owner_; }
    void Disown();
    ContentArea* Content() const { return content_; }

    void ClearActions() { actions_.clear(); }
    void AddAction(MenuItem* item, QAction* action) { actions_.emplace_back(item, action); }
    void SyncActions();
    QAction* ActionFor(const MenuItem* item) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Window* owner_;
    ContentArea* content_;
    std::vector<std::pair<MenuItem*, QAction*>> actions_;
};

}  // namespace qv
