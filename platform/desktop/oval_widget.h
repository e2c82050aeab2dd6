// An oval filled with one colour inside a border of another.
#pragma once

#include <QColor>
#include <QWidget>

namespace desktop {

class OvalWidget : public QWidget {
    Q_OBJECT
public:
    explicit OvalWidget(QWidget* parent);
    void SetLook(const QColor& fill, const QColor& border, int borderWidth);
    QColor Fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_ = Qt::white, border_ = Qt::black;
    int borderWidth_ = 1;
};

}  // namespace desktop
