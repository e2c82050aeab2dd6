// The decoding of a reply body on any bytes under any Content-Type: always
// valid UTF-8, and text that needed no decoding handed over unchanged.
#include "platform/core/text_decoding.h"
#include "tests/fuzz/fuzz_support.h"

#include <iconv.h>

#include <cerrno>
#include <string>

using fuzz::Require;

namespace {

// Valid UTF-8 as iconv reads it into UTF-32 (which, unlike UTF-8 to UTF-8,
// takes nothing past U+10FFFF): a check independent of the decoder's own.
bool IsUtf8(const std::string& s) {
    static iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(s.data());
    size_t inLeft = s.size();
    while (inLeft > 0) {
        char buffer[4096];
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
}

bool IsAscii(const std::string& s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input input(data, size);
    const std::string contentType = input.Text();
    const std::string body = input.Rest();
    const std::string charset = fw::CharsetOf(contentType);
    const std::string text = fw::DecodeText(body, charset);
    Require(IsUtf8(text), "the text is valid UTF-8");
    const bool marked =
        body.rfind("\xFF\xFE", 0) == 0 || body.rfind("\xFE\xFF", 0) == 0 || body.rfind("\xEF\xBB\xBF", 0) == 0;
    if (charset.empty() && !marked) {
        if (IsUtf8(body)) Require(text == body, "undeclared UTF-8 is handed over unchanged");
        Require(text.size() <= 3 * body.size(), "a single-byte text at most triples");
        if (IsAscii(body)) Require(text == body, "ASCII stays ASCII");
    }
    return 0;
}
