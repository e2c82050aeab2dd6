// Printing: the printer dialog, the job's drawing context, styled-text printing.
#pragma once

#include "platform/core/properties.h"

#include <memory>
#include <string>

// A member EOF would be swallowed by the C library's macro of that name: the
// macro goes (where the C value is needed, use std::char_traits<char>::eof()).
#include <cstdio>
#undef EOF

namespace fw {

class Graphics : public Object {
public:
    explicit Graphics(std::unique_ptr<class PrintJobPeer> job);
    ~Graphics() override;  // hands the job to the printer
    void TextFont(const std::string& name);
    void TextSize(float points);
    void ForeColor(const Color& c);
    void Bold(bool b);
    void DrawString(const std::string& text, double x, double y, double wrapWidth = 0, bool condense = false);
    void NextPage();
    // Hands the job to the printer now (releasing the context does it
    // otherwise); the print system may still refuse it here.
    void Finish();
    // Empty while the job goes well, and once Finish handed it over;
    // otherwise why nothing (or not all) was printed, in the user's words.
    std::string Failure() const;
    std::string ClassName() const override { return "Graphics"; }

private:
    friend struct PeerAccess;  // the styled-text printer draws on the job
    std::unique_ptr<class PrintJobPeer> job_;
};

// The print job's drawing context when the user confirms, nil on cancel.
std::shared_ptr<Graphics> RuntimeOpenPrinterDialog();

class StyledTextPrinter : public Object {
public:
    StyledTextPrinter(std::shared_ptr<Graphics> job, std::unique_ptr<class StyledTextPrinterPeer> peer);
    ~StyledTextPrinter() override;
    void DrawBlock(double x, double y, double height);
    bool EOF() const;
    std::string ClassName() const override { return "StyledTextPrinter"; }

private:
    std::shared_ptr<Graphics> job_;
    std::unique_ptr<class StyledTextPrinterPeer> peer_;
};

}  // namespace fw
