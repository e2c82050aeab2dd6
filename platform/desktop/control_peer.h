// The peer of one visible control: a Qt widget inside the window's content
// area, placed and filled from the model, reporting the user's actions back
// through PeerAccess.
#pragma once

#include "platform/backend.h"
#include "platform/framework.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

namespace desktop {

class ControlPeer {
public:
    ControlPeer(fw::RectControl& control, QWidget* widget);
    virtual ~ControlPeer();
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    QWidget* Widget() const { return widget_; }
    // Reads the model again after property changed ("" reads everything).
    void Sync(const std::string& property);
    // Redraws at once.
    virtual void Repaint();

protected:
    // The kind's own properties; geometry, visibility and enabling are common.
    virtual void SyncOwn(const std::string& property) = 0;
    // The model control, typed; nullptr once it is gone.
    template <class T>
    std::shared_ptr<T> Model() const {
        return std::dynamic_pointer_cast<T>(model_.lock());
    }

private:
    std::weak_ptr<fw::Object> model_;
    QPointer<QWidget> widget_;
};

// A peer for the control's kind inside parent, or nullptr for a kind that has
// no visible form.
std::unique_ptr<ControlPeer> MakeControlPeer(fw::RectControl& control, QWidget* parent);

}  // namespace desktop
