#include "platform/desktop/print_job.h"

#include "platform/desktop/qt_conversions.h"

#include <QFontMetricsF>
#include <QTextOption>

namespace desktop {

PrintJob::PrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    // The page model starts at a fixed inset from the paper, not at the
    // printer's own margins, so that it lands in the same place everywhere.
    printer_->setFullPage(true);
    painter_.begin(printer_.get());
}

PrintJob::~PrintJob() { Finish(); }

void PrintJob::Finish() {
    if (finished_) return;
    finished_ = true;
    if (painter_.isActive()) painter_.end();
}

void PrintJob::SetFont(const std::string& name) { family_ = name; }
void PrintJob::SetSize(double points) {
    if (points > 0) size_ = points;
}
void PrintJob::SetColor(const fw::Color& c) { color_ = ToQColor(c); }
void PrintJob::SetBold(bool bold) { bold_ = bold; }

QFont PrintJob::CurrentFont() const {
    // Fonts are sized in points, which Qt turns into the printer's device units.
    QFont f = FontFor(family_, size_, bold_);
    return QFont(f, printer_.get());
}

double PrintJob::Scale() const { return printer_->resolution() / 72.0; }

QPointF PrintJob::ToDevice(double x, double y) const {
    return QPointF((kPageInset + x) * Scale(), (kPageInset + y) * Scale());
}

void PrintJob::DrawString(const std::string& text, double x, double y, double wrapWidth, bool) {
    if (finished_ || !painter_.isActive()) return;
    painter_.setFont(CurrentFont());
    painter_.setPen(color_);
    const QString s = ToQ(text);
    if (wrapWidth <= 0) {
        painter_.drawText(ToDevice(x, y), s);
        return;
    }
    // Wrapped: the first line's baseline at y, the others below it.
    const QFontMetricsF fm(painter_.font(), printer_.get());
    const QPointF at = ToDevice(x, y);
    const QRectF box(at.x(), at.y() - fm.ascent(), wrapWidth * Scale(), 1e6);
    painter_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s);
}

void PrintJob::NextPage() {
    if (finished_ || !painter_.isActive()) return;
    printer_->newPage();
}

}  // namespace desktop
