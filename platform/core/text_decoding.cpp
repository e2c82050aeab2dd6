// Decoding outside bytes to UTF-8: byte-order mark, declared charset, UTF-8,
// then Windows-1252; what cannot be decoded becomes U+FFFD.
#include "platform/core/text_decoding.h"

#include "platform/core/text_ops.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace fw {
namespace {

const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The byte length of the valid UTF-8 sequence at s[i], 0 when there is none
// (overlong forms, surrogates and values past U+10FFFF are not valid).
size_t ValidSequenceAt(const std::string& s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;  // the second byte's range
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else return 0;
    if (s.size() - i < len) return 0;
    if (b(1) < lo || b(1) > hi) return 0;
    for (size_t k = 2; k < len; ++k)
        if ((b(k) & 0xC0) != 0x80) return 0;
    return len;
}

bool IsValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        size_t n = ValidSequenceAt(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string FromUtf8(const std::string& s, size_t from) {
    std::string out;
    out.reserve(s.size() - from);
    for (size_t i = from; i < s.size();) {
        size_t n = ValidSequenceAt(s, i);
        if (n == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    return out;
}

std::string FromUtf16(const std::string& s, size_t from, bool bigEndian) {
    std::string out;
    out.reserve((s.size() - from) / 2 * 3);
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
        return static_cast<uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    size_t i = from;
    for (; i + 1 < s.size(); i += 2) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) out += kReplacement;  // a lone surrogate
        else AppendUtf8(out, u);
    }
    if (i < s.size()) out += kReplacement;  // an odd byte at the end
    return out;
}

// Windows-1252's 0x80-0x9F; the five bytes it leaves undefined keep their
// ISO-8859-1 (control) values, as browsers read them.
const uint16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string FromWindows1252(const std::string& s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

// Any other charset through iconv; false when iconv does not know it.
bool FromIconv(const std::string& s, const std::string& charset, std::string& out) {
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char buffer[4096];
    char* in = const_cast<char*>(s.data());
    size_t inLeft = s.size();
    while (inLeft > 0) {
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        const bool failed = iconv(cd, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1);
        const int error = errno;
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (!failed || error == E2BIG) continue;
        out += kReplacement;
        if (error == EILSEQ) {  // a byte it cannot read: marked, and on after it
            ++in;
            --inLeft;
        } else {
            break;  // cut short at the end
        }
    }
    char* to = buffer;
    size_t toLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &to, &toLeft);  // what a stateful encoding still holds
    out.append(buffer, static_cast<size_t>(to - buffer));
    iconv_close(cd);
    return IsValidUtf8(out);
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (name == n) return true;
    return false;
}

}  // namespace

std::string CharsetOf(const std::string& contentType) {
    size_t at = contentType.find(';');
    while (at != std::string::npos) {
        const size_t next = contentType.find(';', at + 1);
        const std::string param = contentType.substr(at + 1, next == std::string::npos ? next : next - at - 1);
        const size_t eq = param.find('=');
        if (eq != std::string::npos && StringLCase(StringTrim(param.substr(0, eq))) == "charset") {
            std::string value = StringTrim(param.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return StringLCase(StringTrim(value));
        }
        at = next;
    }
    return {};
}

std::string DecodeText(const std::string& bytes, const std::string& charset) {
    const auto starts = [&](const char* mark, size_t n) { return bytes.compare(0, n, mark, n) == 0; };
    if (starts("\xEF\xBB\xBF", 3)) return FromUtf8(bytes, 3);
    if (starts("\xFF\xFE", 2)) return FromUtf16(bytes, 2, false);
    if (starts("\xFE\xFF", 2)) return FromUtf16(bytes, 2, true);

    const std::string name = StringLCase(StringTrim(charset));
    if (OneOf(name, {"utf-8", "utf8", "unicode-1-1-utf-8"})) return FromUtf8(bytes, 0);
    // Without a mark, UTF-16 is little-endian in practice.
    if (OneOf(name, {"utf-16", "utf-16le", "ucs-2", "unicode"})) return FromUtf16(bytes, 0, false);
    if (name == "utf-16be") return FromUtf16(bytes, 0, true);
    if (OneOf(name,
              {"iso-8859-1",
               "iso8859-1",
               "iso_8859-1",
               "latin1",
               "l1",
               "us-ascii",
               "ascii",
               "windows-1252",
               "cp1252",
               "x-cp1252",
               "cp819",
               "ibm819",
               "iso-ir-100"}))
        return FromWindows1252(bytes);
    std::string decoded;
    if (!name.empty() && FromIconv(bytes, name, decoded)) return decoded;

    // Nothing declared (or a name nobody knows): UTF-8 when it is, else the
    // single-byte encoding that undeclared text is in practice.
    if (IsValidUtf8(bytes)) return bytes;
    return FromWindows1252(bytes);
}

}  // namespace fw
