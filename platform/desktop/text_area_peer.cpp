#include "platform/desktop/text_area_peer.h"

#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/styled_text.h"

#include <QApplication>
#include <QFocusEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

#include <cstdlib>
#include <functional>

namespace desktop {
namespace {

// Tells its owner when the watched widget gains or loses the keyboard focus.
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* watched, std::function<void(QFocusEvent*)> changed)
        : QObject(watched), changed_(std::move(changed)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            changed_(static_cast<QFocusEvent*>(event));
        return false;
    }

private:
    std::function<void(QFocusEvent*)> changed_;
};

class TextAreaPeer : public ControlPeer {
public:
    TextAreaPeer(fw::TextArea& area, QTextEdit* edit) : ControlPeer(area, edit), edit_(edit) {
        // HideSelection: without the focus the widget shows no selection; the
        // model keeps it, and it shows again with the focus. A menu that opens
        // over the text does not take it away.
        new FocusWatcher(edit, [this](QFocusEvent* e) {
            if (e->reason() == Qt::PopupFocusReason) return;
            auto m = Model<fw::TextArea>();
            if (!m) return;
            syncing_ = true;
            ApplySelection(m->SelStart(), m->SelLength(), e->gotFocus());
            syncing_ = false;
        });
        // Pasted text takes the styles around it, never foreign formatting.
        edit->setAcceptRichText(false);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QObject::connect(edit, &QTextEdit::textChanged, edit, [this] { UserEdited(); });
        QObject::connect(edit, &QTextEdit::selectionChanged, edit, [this] { UserSelected(); });
        QObject::connect(edit, &QTextEdit::cursorPositionChanged, edit, [this] { UserSelected(); });
    }

protected:
    void SyncOwn(const std::string&) override {
        auto m = Model<fw::TextArea>();
        if (!m) return;
        syncing_ = true;
        edit_->setReadOnly(m->ReadOnly());
        edit_->setTabChangesFocus(!m->AcceptTabs());
        edit_->setVerticalScrollBarPolicy(m->ScrollbarVertical() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        edit_->setFrameShape(m->Border() ? QFrame::StyledPanel : QFrame::NoFrame);
        QPalette pal = edit_->palette();
        pal.setColor(QPalette::Base, ToQColor(m->BackColor()));
        pal.setColor(QPalette::Text, ToQColor(m->TextColor()));
        if (pal != edit_->palette()) edit_->setPalette(pal);

        StyledText now{m->Text(), m->Styles()};
        const QFont font = FontOf(*m);
        if (!(now == modelSeen_) || font != font_) {
            modelSeen_ = now;
            font_ = font;
            edit_->document()->setDefaultFont(font);
            QTextCharFormat base;
            base.setFont(font);
            FillDocument(*edit_->document(), now, base);
            docSeen_ = ReadDocument(*edit_->document());
            edit_->document()->clearUndoRedoStacks();
        }
        ApplySelection(m->SelStart(), m->SelLength(), edit_->hasFocus());
        syncing_ = false;
    }

private:
    void ApplySelection(int start, int length, bool focused) {
        auto m = Model<fw::TextArea>();
        const bool hide = !focused && m && m->HideSelection();
        const QString plain = edit_->document()->toPlainText();
        const int b = Utf16Index(plain, std::max(0, start) + std::max(0, length));
        const int a = hide ? b : Utf16Index(plain, std::max(0, start));
        QTextCursor c = edit_->textCursor();
        if (c.anchor() == a && c.position() == b) return;
        c.setPosition(a);
        c.setPosition(b, QTextCursor::KeepAnchor);
        edit_->setTextCursor(c);
    }

    void UserEdited() {
        if (syncing_) return;
        auto m = Model<fw::TextArea>();
        if (!m) return;
        StyledText now = ReadDocument(*edit_->document());
        if (now == docSeen_) return;  // a change of formats alone that reads the same
        docSeen_ = now;
        modelSeen_ = now;
        Deliver([&] { fw::PeerAccess::Edited(*m, now.text, now.styles); });
        UserSelected();
    }

    void UserSelected() {
        if (syncing_) return;
        auto m = Model<fw::TextArea>();
        if (!m) return;
        const QTextCursor c = edit_->textCursor();
        const QString plain = edit_->document()->toPlainText();
        const int from = CodePointIndex(plain, std::min(c.anchor(), c.position()));
        const int to = CodePointIndex(plain, std::max(c.anchor(), c.position()));
        if (m->SelStart() == from && m->SelLength() == to - from) return;
        Deliver([&] { fw::PeerAccess::Selection(*m, from, to - from); });
    }

    QTextEdit* edit_;
    bool syncing_ = false;
    StyledText modelSeen_, docSeen_;
    QFont font_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeTextAreaPeer(fw::TextArea& area, QWidget* parent) {
    return std::make_unique<TextAreaPeer>(area, new QTextEdit(parent));
}

bool EditFocusedText(const std::string& itemName) {
    auto* edit = qobject_cast<QTextEdit*>(QApplication::focusWidget());
    if (!edit) return false;
    if (itemName == "EditUndo") {
        edit->undo();
    } else if (itemName == "EditCut") {
        edit->cut();
    } else if (itemName == "EditCopy") {
        edit->copy();
    } else if (itemName == "EditPaste") {
        edit->paste();
    } else if (itemName == "EditClear") {
        if (!edit->isReadOnly()) edit->textCursor().removeSelectedText();
    } else if (itemName == "EditSelectAll") {
        edit->selectAll();
    } else {
        return false;
    }
    return true;
}

}  // namespace desktop
