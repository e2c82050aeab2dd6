// The headless printer: a job that records its calls and a plain text printer
// with a fixed page model (6 points per character, lines per block settable).
#include "platform/headless/headless_impl.h"

namespace fw::headless {
namespace {

class RecordingJob : public PrintJobPeer {
public:
    RecordingJob(std::vector<PrintCall>& log, std::string refusal) : log_(log), refusal_(std::move(refusal)) {}
    void SetFont(const std::string& name) override { log_.push_back({"font", name, 0, 0, 0}); }
    void SetSize(double points) override { log_.push_back({"size", "", 0, 0, points}); }
    void SetColor(const Color& c) override {
        log_.push_back({"color", "", 0, 0, static_cast<double>((c.red << 16) | (c.green << 8) | c.blue)});
    }
    void SetBold(bool bold) override { log_.push_back({"bold", "", 0, 0, bold ? 1.0 : 0.0}); }
    void DrawString(const std::string& text, double x, double y, double wrapWidth, bool) override {
        log_.push_back({"string", text, x, y, wrapWidth});
    }
    void NextPage() override { log_.push_back({"nextpage", "", 0, 0, 0}); }
    void Finish() override {
        if (finished_) return;
        finished_ = true;
        log_.push_back({"finish", "", 0, 0, 0});
    }
    // The scripted refusal comes when the job is handed over, as a print
    // system's does.
    std::string Failure() const override { return finished_ ? refusal_ : std::string(); }

private:
    std::vector<PrintCall>& log_;
    std::string refusal_;
    bool finished_ = false;
};

// Wraps one paragraph at cols characters, at a blank where there is one.
void Wrap(const std::string& paragraph, size_t cols, std::vector<std::string>& lines) {
    std::vector<std::string> chars;
    for (int32_t i = 1, n = StringDBCSLen(paragraph); i <= n; ++i) chars.push_back(StringDBCSMid3(paragraph, i, 1));
    if (chars.empty()) {
        lines.emplace_back();
        return;
    }
    size_t at = 0;
    while (at < chars.size()) {
        size_t end = at + cols < chars.size() ? at + cols : chars.size();
        if (end < chars.size()) {
            size_t blank = end;
            while (blank > at && chars[blank] != " ") --blank;
            if (blank > at) end = blank;
        }
        std::string line;
        for (size_t k = at; k < end; ++k) line += chars[k];
        lines.push_back(line);
        at = end;
        while (at < chars.size() && chars[at] == " " && end < chars.size()) ++at;  // the break's blank
    }
}

class TextPrinter : public StyledTextPrinterPeer {
public:
    TextPrinter(const std::string& text, double lineWidth, int linesPerBlock, std::vector<PrintCall>& log)
        : linesPerBlock_(static_cast<size_t>(linesPerBlock)), log_(log) {
        size_t cols = lineWidth >= 12 ? static_cast<size_t>(lineWidth / 6) : 1;
        if (text.empty()) return;
        size_t from = 0;
        while (true) {
            size_t cr = text.find('\r', from);
            Wrap(text.substr(from, cr == std::string::npos ? std::string::npos : cr - from), cols, lines_);
            if (cr == std::string::npos) break;
            from = cr + 1;
        }
    }
    void DrawBlock(double x, double y, double height) override {
        std::string block;
        for (size_t n = 0; n < linesPerBlock_ && next_ < lines_.size(); ++n, ++next_)
            block += (n ? "\r" : "") + lines_[next_];
        log_.push_back({"block", block, x, y, height});
    }
    bool AtEnd() override { return next_ >= lines_.size(); }

private:
    std::vector<std::string> lines_;
    size_t next_ = 0;
    size_t linesPerBlock_;
    std::vector<PrintCall>& log_;
};

}  // namespace

std::unique_ptr<PrintJobPeer> MakeRecordingJob(std::vector<PrintCall>& log, std::string refusal) {
    return std::make_unique<RecordingJob>(log, std::move(refusal));
}

std::unique_ptr<StyledTextPrinterPeer> MakeTextPrinter(const std::string& text, double lineWidth, int linesPerBlock,
                                                       std::vector<PrintCall>& log) {
    return std::make_unique<TextPrinter>(text, lineWidth, linesPerBlock, log);
}

}  // namespace fw::headless
