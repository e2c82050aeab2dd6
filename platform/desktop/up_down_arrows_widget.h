// Two small arrows, one above the other: a press on either raises one step,
// and holding it repeats the step (after a short delay, then steadily).
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>

namespace desktop {

class UpDownArrowsWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRepeatDelayMs = 400;
    static constexpr int kRepeatIntervalMs = 100;

    UpDownArrowsWidget(QWidget* parent, std::function<void()> up, std::function<void()> down);
    void SetAcceptFocus(bool accept);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Arrow { None, Up, Down };
    void Step(Arrow a);
    void StopRepeat();
    std::function<void()> up_, down_;
    Arrow pressed_ = Arrow::None;
    QTimer repeat_;
};

}  // namespace desktop
