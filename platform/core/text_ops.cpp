// Text operations over UTF-8: positions and lengths count characters from 1.
#include "platform/framework.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace fw {
namespace {

// Byte offsets of each character start, with the text's size at the end. A
// byte that does not start a valid sequence counts as one character.
std::vector<size_t> CharStarts(const std::string& s) {
    std::vector<size_t> starts;
    size_t i = 0;
    while (i < s.size()) {
        starts.push_back(i);
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xe ? 3 : (c >> 3) == 0x1e ? 4 : 1;
        if (i + len > s.size()) len = 1;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xc0) != 0x80) {
                len = 1;
                break;
            }
        i += len;
    }
    starts.push_back(s.size());
    return starts;
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
    auto starts = CharStarts(s);
    int64_t n = static_cast<int64_t>(starts.size()) - 1;
    if (from < 0) from = 0;
    if (count <= 0 || from >= n) return {};
    int64_t to = count > n - from ? n : from + count;
    return s.substr(starts[static_cast<size_t>(from)], starts[static_cast<size_t>(to)] - starts[static_cast<size_t>(from)]);
}

}  // namespace

int32_t StringDBCSLen(const std::string& s) { return static_cast<int32_t>(CharStarts(s).size() - 1); }

int32_t StringInStr(int32_t start, const std::string& s, const std::string& find) {
    if (start < 1) start = 1;
    auto starts = CharStarts(s);
    int32_t n = static_cast<int32_t>(starts.size()) - 1;
    if (start > n) return 0;
    if (find.empty()) return start;
    for (int32_t i = start - 1; i < n; ++i)
        if (EqualAt(s, starts[static_cast<size_t>(i)], find)) return i + 1;
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

std::string StringLCase(const std::string& s) {
    std::string out = s;
    for (char& c : out) c = LowerAscii(c);
    return out;
}

double StringVal(const std::string& s) {
    size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    size_t begin = i;
    if (s[i] == '+' || s[i] == '-') ++i;
    auto digits = [&](size_t& k) {
        size_t start = k;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
        return k - start;
    };
    size_t whole = digits(i), fraction = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        fraction = digits(i);
    }
    if (whole + fraction == 0) return 0;
    size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t k = i + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (digits(k) > 0) end = k;
    }
    std::string number = s.substr(begin, end - begin);
    if (number[0] == '+') number.erase(0, 1);
    double v = 0;
    auto res = std::from_chars(number.data(), number.data() + number.size(), v);
    if (res.ec == std::errc::result_out_of_range) return number[0] == '-' ? -HUGE_VAL : HUGE_VAL;
    return v;
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
