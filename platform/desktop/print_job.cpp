#include "platform/desktop/print_job.h"

#include "platform/desktop/qt_conversions.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QTextOption>
#include <QTransform>

#include <algorithm>

namespace desktop {

PageMapping MapPageModel(const QRectF& paper, const QMarginsF& printerMargins) {
    const QRectF area = paper.marginsRemoved(printerMargins);
    const double height = PrintJob::kModelHeight + PrintJob::kFootRoom;
    PageMapping m;
    m.scale = std::min({1.0, area.width() / PrintJob::kModelWidth, area.height() / height});
    if (m.scale <= 0) m.scale = 1;  // no printable area reported: nothing better to go by
    // The preferred inset, pulled back into the area where the model would
    // stick out of it, and never before its start.
    auto place = [](double preferred, double start, double room, double extent) {
        return std::max(start, std::min(preferred, start + room - extent));
    };
    m.left =
        place(paper.left() + PrintJob::kPreferredInset, area.left(), area.width(), PrintJob::kModelWidth * m.scale);
    m.top = place(paper.top() + PrintJob::kPreferredInset, area.top(), area.height(), height * m.scale);
    return m;
}

PrintJob::PrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    // The margins the printer asks for, read before full-page mode hides them.
    const QPageLayout layout = printer_->pageLayout();
    mapping_ = MapPageModel(layout.fullRect(QPageLayout::Point), layout.margins(QPageLayout::Point));
    // The painter's origin is the paper's corner; the mapping keeps to the margins.
    printer_->setFullPage(true);
    painter_.begin(printer_.get());
    ApplyMapping();
}

PrintJob::~PrintJob() { Finish(); }

void PrintJob::Finish() {
    if (finished_) return;
    finished_ = true;
    if (painter_.isActive()) painter_.end();
}

void PrintJob::ApplyMapping() {
    if (!painter_.isActive()) return;
    const double unit = Scale();
    QTransform t;
    t.translate(mapping_.left * unit, mapping_.top * unit);
    t.scale(mapping_.scale, mapping_.scale);
    painter_.setTransform(t);
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

QPointF PrintJob::ToLayout(double x, double y) const { return QPointF(x * Scale(), y * Scale()); }

void PrintJob::DrawString(const std::string& text, double x, double y, double wrapWidth, bool) {
    if (finished_ || !painter_.isActive()) return;
    painter_.setFont(CurrentFont());
    painter_.setPen(color_);
    const QString s = ToQ(text);
    if (wrapWidth <= 0) {
        painter_.drawText(ToLayout(x, y), s);
        return;
    }
    // Wrapped: the first line's baseline at y, the others below it.
    const QFontMetricsF fm(painter_.font(), printer_.get());
    const QPointF at = ToLayout(x, y);
    const QRectF box(at.x(), at.y() - fm.ascent(), wrapWidth * Scale(), 1e6);
    painter_.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s);
}

void PrintJob::NextPage() {
    if (finished_ || !painter_.isActive()) return;
    printer_->newPage();
    ApplyMapping();  // the same place on every page, whatever the engine resets
}

}  // namespace desktop
