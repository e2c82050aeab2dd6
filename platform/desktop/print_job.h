// Printing through QPrinter. The program draws on a page model of 540 x 720
// points (y of a drawn string is its baseline); the job maps that model onto
// the printable area of whatever paper and orientation were chosen.
#pragma once

#include "platform/backend.h"
#include "platform/framework.h"

#include <QFont>
#include <QMarginsF>
#include <QPainter>
#include <QPrinter>
#include <QRectF>

#include <memory>
#include <string>

namespace desktop {

// Where the page model lands on the paper, in points from the paper's
// top-left corner: model point (x, y) is at (left + x * scale, top + y * scale).
struct PageMapping {
    double scale = 1;
    double left = 0;
    double top = 0;
};

// The model is drawn at 1:1, half an inch in from the paper's top-left corner,
// where that fits inside the printable area (paper less the printer's margins);
// otherwise it is scaled down until it fits and moved in as far as needed.
PageMapping MapPageModel(const QRectF& paper, const QMarginsF& printerMargins);

class PrintJob : public fw::PrintJobPeer {
public:
    static constexpr double kModelWidth = 540.0;
    static constexpr double kModelHeight = 720.0;
    // The page foot's baseline is the model's bottom edge: its descenders need
    // room below it.
    static constexpr double kFootRoom = 12.0;
    static constexpr double kPreferredInset = 36.0;  // from the paper's edge, where it fits

    // Starts painting on the printer (which the dialog has set up).
    explicit PrintJob(std::unique_ptr<QPrinter> printer);
    ~PrintJob() override;

    void SetFont(const std::string& name) override;
    void SetSize(double points) override;
    void SetColor(const fw::Color& c) override;
    void SetBold(bool bold) override;
    void DrawString(const std::string& text, double x, double y, double wrapWidth, bool condense) override;
    void NextPage() override;
    void Finish() override;

    // For the styled-text printer. The painter works in layout units: text is
    // laid out at the printer's resolution as if at 1:1, and the painter's
    // transform puts it where the mapping says.
    QPainter& Painter() { return painter_; }
    QPrinter& Printer() { return *printer_; }
    QFont CurrentFont() const;
    QColor CurrentColor() const { return color_; }
    // Layout units per model point, and a model point in layout units.
    double Scale() const;
    QPointF ToLayout(double x, double y) const;
    const PageMapping& Mapping() const { return mapping_; }

private:
    void ApplyMapping();

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    PageMapping mapping_;
    std::string family_ = "System";
    double size_ = 12;
    bool bold_ = false;
    QColor color_ = Qt::black;
    bool finished_ = false;
};

// Draws a styled text onto a job, a block of whole lines at a time.
std::unique_ptr<fw::StyledTextPrinterPeer> MakeStyledTextPrinter(fw::TextArea& area, PrintJob& job, double lineWidth);

}  // namespace desktop
