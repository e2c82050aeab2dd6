#include "platform/desktop/control_peer.h"

namespace desktop {

ControlPeer::ControlPeer(fw::RectControl& control, QWidget* widget)
    : model_(control.weak_from_this()), widget_(widget) {
    // The design's name, for whoever looks at the widget tree.
    widget->setObjectName(QString::fromStdString(control.Name()));
}

ControlPeer::~ControlPeer() = default;

void ControlPeer::Sync(const std::string& property) {
    auto control = Model<fw::RectControl>();
    if (!control || !widget_) return;
    widget_->setGeometry(control->Left(), control->Top(), control->Width(), control->Height());
    widget_->setEnabled(control->Enabled());
    widget_->setVisible(control->Visible());
    SyncOwn(property);
}

void ControlPeer::Repaint() {
    if (widget_) widget_->repaint();
}

}  // namespace desktop
