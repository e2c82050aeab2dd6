#include "tests/e2e/pdf_text.h"

#include <unistd.h>

#include "tests/e2e/child_process.h"

namespace e2e {

namespace {

// What a poppler tool wrote to its output (out is named on its command line
// or takes its standard output); nullopt when it failed.
std::optional<std::string> RunTool(const std::vector<std::string>& argv, const std::string& out, bool toStdout) {
    const std::string err = out + ".err";
    ChildProcess tool(argv, {}, toStdout ? out : "/dev/null", err);
    auto status = tool.WaitForExit(std::chrono::seconds(20));
    std::optional<std::string> text;
    if (status && *status == 0) text = ReadFile(out);
    unlink(out.c_str());
    unlink(err.c_str());
    return text;
}

std::optional<std::string> PdfToText(const std::string& path, std::vector<std::string> options) {
    const std::string out = path + ".txt";
    std::vector<std::string> argv{"/usr/bin/pdftotext"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(path);
    argv.push_back(out);
    return RunTool(argv, out, false);
}

}  // namespace

std::optional<std::string> PdfPageText(const std::string& path, int n) {
    const std::string page = std::to_string(n);
    return PdfToText(path, {"-f", page, "-l", page, "-layout"});
}

std::optional<std::vector<std::string>> PdfPages(const std::string& path) {
    const std::optional<std::string> all = PdfToText(path, {"-layout"});
    if (!all) return std::nullopt;
    const std::string& text = *all;
    // pdftotext ends every page with a form feed.
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    if (pages.empty()) return std::nullopt;
    return pages;
}

std::optional<std::string> PdfTitle(const std::string& path) {
    const std::optional<std::string> info = RunTool({"/usr/bin/pdfinfo", path}, path + ".info", true);
    if (!info) return std::nullopt;
    const size_t at = info->find("Title:");
    if (at == std::string::npos) return std::string();
    const size_t start = info->find_first_not_of(' ', at + 6), end = info->find('\n', at);
    return start < end ? info->substr(start, end - start) : std::string();
}

}  // namespace e2e
