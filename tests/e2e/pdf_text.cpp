#include "tests/e2e/pdf_text.h"

#include <unistd.h>

#include "tests/e2e/child_process.h"

namespace e2e {

std::optional<std::vector<std::string>> PdfPages(const std::string& path) {
    const std::string out = path + ".txt", err = path + ".err";
    ChildProcess pdftotext({"/usr/bin/pdftotext", "-layout", path, out}, {}, "/dev/null", err);
    auto status = pdftotext.WaitForExit(std::chrono::seconds(20));
    if (!status || *status != 0) return std::nullopt;
    std::string text = ReadFile(out);
    unlink(out.c_str());
    unlink(err.c_str());
    // pdftotext ends every page with a form feed.
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t ff; (ff = text.find('\f', start)) != std::string::npos; start = ff + 1)
        pages.push_back(text.substr(start, ff - start));
    if (pages.empty()) return std::nullopt;
    return pages;
}

}  // namespace e2e
