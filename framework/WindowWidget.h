// The Qt side of a window. Internal to the framework.
#pragma once

#include <QMainWindow>
#include <QWidget>

#include <utility>
#include <vector>

namespace qv {

class Window;
class MenuItem;

// The content area: design coordinates, backdrop and back colour.
class ContentArea : public QWidget {
public:
    ContentArea(Window* owner, QWidget* parent);
    void Disown() { owner_ = nullptr; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Window* owner_;
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
