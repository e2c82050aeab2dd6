// Text operations over UTF-8: positions and lengths count characters from 1.
#include "platform/framework.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace fw {
namespace {

// The byte length of the character that starts at byte i. A byte that does
// not start a valid sequence counts as one character.
size_t CharLength(const std::string& s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xe ? 3 : (c >> 3) == 0x1e ? 4 : 1;
    if (i + len > s.size()) return 1;
    for (size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xc0) != 0x80) return 1;
    return len;
}

// The byte offset n characters on from byte `from`, at most the text's size.
// Walking keeps every operation linear and free of a per-character table,
// which a long line (a preferences file, a reply) would make huge.
size_t Advance(const std::string& s, size_t from, int64_t n) {
    while (n > 0 && from < s.size()) {
        from += CharLength(s, from);
        --n;
    }
    return from;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualAt(const std::string& s, size_t at, const std::string& find) {
    if (s.size() - at < find.size()) return false;
    for (size_t k = 0; k < find.size(); ++k)
        if (LowerAscii(s[at + k]) != LowerAscii(find[k])) return false;
    return true;
}

// Characters [from, from+count) of s by 0-based character index, clipped to the text.
std::string Slice(const std::string& s, int64_t from, int64_t count) {
    if (from < 0) from = 0;
    if (count <= 0) return {};
    size_t begin = Advance(s, 0, from);
    return s.substr(begin, Advance(s, begin, count) - begin);
}

}  // namespace

int32_t StringDBCSLen(const std::string& s) {
    int64_t n = 0;
    for (size_t i = 0; i < s.size(); i += CharLength(s, i)) ++n;
    return n > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(n);
}

int32_t StringInStr(int32_t start, const std::string& s, const std::string& find) {
    if (start < 1) start = 1;
    size_t i = Advance(s, 0, int64_t{start} - 1);
    if (i >= s.size()) return 0;
    if (find.empty()) return start;
    for (int32_t at = start; i < s.size(); i += CharLength(s, i), ++at)
        if (EqualAt(s, i, find)) return at;
    return 0;
}

std::string StringDBCSMid3(const std::string& s, int32_t start, int32_t length) {
    if (start < 1) start = 1;
    return Slice(s, int64_t{start} - 1, length);
}

std::string StringDBCSMid2(const std::string& s, int32_t start) {
    if (start < 1) start = 1;
    return Slice(s, int64_t{start} - 1, std::numeric_limits<int64_t>::max());
}

std::string StringDBCSLeft(const std::string& s, int32_t n) { return Slice(s, 0, n); }

std::string StringDBCSRight(const std::string& s, int32_t n) {
    if (n <= 0) return {};
    int64_t len = StringDBCSLen(s);
    return Slice(s, len > n ? len - n : 0, n);
}

std::string StringNthField(const std::string& s, const std::string& sep, int32_t n) {
    if (n < 1) return {};
    if (sep.empty()) return n == 1 ? s : std::string();
    size_t from = 0;
    for (int32_t field = 1;; ++field) {
        size_t at = std::string::npos;
        for (size_t i = from; i + sep.size() <= s.size(); ++i)
            if (EqualAt(s, i, sep)) {
                at = i;
                break;
            }
        if (field == n) return s.substr(from, at == std::string::npos ? std::string::npos : at - from);
        if (at == std::string::npos) return {};
        from = at + sep.size();
    }
}

namespace {

// The byte length of the white space character at s[i], 0 when it is none:
// ASCII's, Unicode's White_Space characters beyond it, and the byte-order
// mark (a zero-width no-break space).
size_t WhiteSpaceAt(const std::string& s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == ' ' || (c >= '\t' && c <= '\r')) return 1;
    const size_t n = CharLength(s, i);
    if (n == 1) return 0;
    uint32_t cp = c & (0xFF >> (n + 1));
    for (size_t k = 1; k < n; ++k) cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    const bool space = cp == 0x85 || cp == 0xA0 || cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x2028 ||
                       cp == 0x2029 || cp == 0x202F || cp == 0x205F || cp == 0x3000 || cp == 0xFEFF;
    return space ? n : 0;
}

}  // namespace

std::string StringTrim(const std::string& s) {
    size_t begin = 0;
    for (size_t n; begin < s.size() && (n = WhiteSpaceAt(s, begin)) > 0;) begin += n;
    // The end: past the last character that is not white space.
    size_t end = begin;
    for (size_t i = begin; i < s.size();) {
        const size_t space = WhiteSpaceAt(s, i);
        i += space > 0 ? space : CharLength(s, i);
        if (space == 0) end = i;
    }
    return s.substr(begin, end - begin);
}

std::string StringLCase(std::string s) {
    for (char& c : s) c = LowerAscii(c);
    return s;
}

double StringVal(const std::string& s) {
    size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    bool negative = s[i] == '-';
    size_t begin = s[i] == '+' ? i + 1 : i;  // from_chars takes a minus sign only
    if (s[i] == '+' || s[i] == '-') ++i;
    auto digits = [&](size_t& k) {
        size_t start = k;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
        return k - start;
    };
    size_t wholeAt = i;
    size_t whole = digits(i), fraction = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        fraction = digits(i);
    }
    if (whole + fraction == 0) return 0;
    size_t end = i;
    int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t k = i + 1;
        bool minus = k < s.size() && s[k] == '-';
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        for (size_t d = k; d < s.size() && s[d] >= '0' && s[d] <= '9'; ++d)
            exponent = std::min<int64_t>(exponent * 10 + (s[d] - '0'), int64_t{1} << 40);  // far past any double
        if (minus) exponent = -exponent;
        if (digits(k) > 0) end = k;
        else exponent = 0;
    }
    double v = 0;
    auto res = std::from_chars(s.data() + begin, s.data() + end, v);
    if (res.ec != std::errc::result_out_of_range) return v;
    // Out of range: too large (an infinity) or too small (a zero), told apart
    // by the decimal place of the first digit that is not zero.
    int64_t place = 0;
    for (size_t k = wholeAt; k < end; ++k) {
        if (s[k] == '.') continue;
        if (s[k] >= '1' && s[k] <= '9') {
            place = k < wholeAt + whole ? static_cast<int64_t>(wholeAt + whole - k) - 1
                                        : -static_cast<int64_t>(k - (wholeAt + whole));
            break;
        }
    }
    double magnitude = place + exponent >= 0 ? HUGE_VAL : 0.0;
    return negative ? -magnitude : magnitude;
}

int32_t RuntimeCvtReal64ToSInt32(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (d <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(d);  // truncates toward zero
}

double RuntimeCvtSInt32ToReal64(int32_t i) { return i; }

std::string StringStrInt32(int32_t i, const std::string& /*format*/) { return std::to_string(i); }

std::string StringStrDouble(double d, const std::string& /*format*/) {
    if (d == 0) return "0";  // also for -0
    if (std::trunc(d) == d && std::fabs(d) < 1e15) return std::to_string(static_cast<int64_t>(d));
    char buf[64];
    // Shortest text that reads back as the same value; whole values carry no fraction.
    auto res = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, res.ptr);
}

int32_t RuntimeStringCompare(const std::string& a, const std::string& b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(LowerAscii(a[i]));
        unsigned char y = static_cast<unsigned char>(LowerAscii(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string RuntimeAddString(const std::string& a, const std::string& b) { return a + b; }

}  // namespace fw
