// How long the message dialog takes to open with the longest texts an update
// reply can bring (a description at the 1 MiB body cap): from its making to
// its first paint, on the screen of $DISPLAY.
//   bench_message_dialog_bench [runs]
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/desktop/message_dialog_view.h"

namespace {

constexpr int kCap = 1 << 20;
constexpr double kGoalMs = 300;

QString Repeated(const QString& piece, int size) {
    QString text;
    while (text.size() < size) text += piece;
    text.resize(size);
    return text;
}

// Takes the time of the dialog's first paint, then ends its modal run.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && ms < 0) {
            ms = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
            auto* dialog = static_cast<QDialog*>(watched);
            QMetaObject::invokeMethod(
                dialog, [dialog] { dialog->done(0); }, Qt::QueuedConnection);
        }
        return false;
    }
    double ms = -1;

private:
    const QElapsedTimer& clock_;
};

double OpenMs(const QString& message, const QString& explanation) {
    QElapsedTimer clock;
    clock.start();
    desktop::MessageDialogView dialog(
        QStringLiteral("New version available!"), QMessageBox::Question, message, explanation);
    QPushButton* ok = dialog.AddButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    dialog.AddButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    dialog.SetDefaultButton(ok);
    FirstPaint watch(clock);
    dialog.installEventFilter(&watch);
    dialog.Run();
    return watch.ms;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString message = QStringLiteral("Version 2.0.0 is now available. (You are using version 1.3.0.) ");
    struct Case {
        const char* name;
        QString message, explanation;
    };
    const std::vector<Case> cases{
        {"short description", message, QStringLiteral("Faster captures.")},
        {"one paragraph at the cap", message, Repeated(QStringLiteral("Faster captures, fewer clicks. "), kCap)},
        {"short lines at the cap", message, Repeated(QStringLiteral("Faster captures.\n"), kCap)},
        {"one word at the cap", message, Repeated(QStringLiteral("x"), kCap)},
        {"version and description at the cap",
         Repeated(QStringLiteral("2.0.0 beta "), kCap / 2),
         Repeated(QStringLiteral("Faster captures. "), kCap / 2)},
    };
    bool met = true;
    std::printf("%-36s %10s %10s   (ms from making to first paint, %d runs)\n", "texts", "median", "worst", runs);
    for (const Case& c : cases) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) ms.push_back(OpenMs(c.message, c.explanation));
        std::sort(ms.begin(), ms.end());
        const double median = ms[ms.size() / 2];
        std::printf("%-36s %10.1f %10.1f\n", c.name, median, ms.back());
        if (median > kGoalMs) met = false;
    }
    std::printf("goal: median at most %.0f ms in every case: %s\n", kGoalMs, met ? "met" : "MISSED");
    return met ? 0 : 1;
}
