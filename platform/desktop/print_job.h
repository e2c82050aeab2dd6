// Printing through QPrinter: the page model is 540 x 720 points, placed on
// the paper half an inch in from its top-left corner; y of a drawn string is
// its baseline.
#pragma once

#include "platform/backend.h"
#include "platform/framework.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

#include <memory>
#include <string>

namespace desktop {

class PrintJob : public fw::PrintJobPeer {
public:
    static constexpr double kPageInset = 36.0;  // points from the paper's edge to the page model

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

    // For the styled-text printer.
    QPainter& Painter() { return painter_; }
    QPrinter& Printer() { return *printer_; }
    QFont CurrentFont() const;
    QColor CurrentColor() const { return color_; }
    // Device units per point, and a page-model point on the device.
    double Scale() const;
    QPointF ToDevice(double x, double y) const;

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::string family_ = "System";
    double size_ = 12;
    bool bold_ = false;
    QColor color_ = Qt::black;
    bool finished_ = false;
};

// Draws a styled text onto a job, a block of whole lines at a time.
std::unique_ptr<fw::StyledTextPrinterPeer> MakeStyledTextPrinter(fw::TextArea& area, PrintJob& job,
                                                                 double lineWidth);

}  // namespace desktop
