// The top-level widget behind a window peer: it turns what the window
// manager and the keyboard do to the window into calls the peer handles.
#pragma once

#include <QWidget>

#include <functional>

namespace desktop {

class WindowWidget : public QWidget {
    Q_OBJECT
public:
    WindowWidget();
    // The peer's hooks; the peer clears them when it goes away.
    std::function<void()> closeRequested;  // the window manager's close
    std::function<void()> restored;        // minimised -> normal
    std::function<void()> moved;
    std::function<bool(bool escape)> defaultOrCancel;  // Return/Enter or Escape; true when taken
    void Detach();
    // A close that the model asked for goes through; the user's are refused.
    void CloseForReal();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool closing_ = false;
};

}  // namespace desktop
