// The window of the message box and the message dialog: an icon, a message,
// an optional explanation and a row of buttons.
//
// Its texts may come from outside the program (an update server's reply), so
// they are shown as plain text, as written: no markup, no links, no images.
// A text of any length keeps the dialog quick to open and on the screen: what
// does not fit scrolls inside the dialog.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace desktop {

class MessageDialogView : public QDialog {
public:
    MessageDialogView(const QString& title, QMessageBox::Icon icon, const QString& message, const QString& explanation);

    QPushButton* AddButton(const QString& caption, QDialogButtonBox::ButtonRole role);
    // Return presses `button`; Escape and the window's close button press `escape`.
    void SetDefaultButton(QPushButton* button);
    void SetEscapeButton(QAbstractButton* escape) { escape_ = escape; }

    // Sizes the dialog to its texts and the screen, runs it modally, and
    // gives the button pressed (nullptr when none was).
    QAbstractButton* Run();

    void reject() override;

protected:
    // Ctrl+C copies the whole dialog as shown (or the text selected in it);
    // Page Up and Page Down scroll the text that scrolls.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FitToScreen();
    QString ShownText() const;

    QString title_;
    QLabel* icon_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QPlainTextEdit* explanation_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QAbstractButton* escape_ = nullptr;
    QAbstractButton* pressed_ = nullptr;
};

}  // namespace desktop
