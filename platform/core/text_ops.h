// Text operations: UTF-8, positions count characters from 1.
#pragma once

#include <cstdint>
#include <string>

namespace fw {

int32_t StringDBCSLen(const std::string& s);
// Position of find in s at or after start, 0 when absent (case-insensitive for ASCII).
int32_t StringInStr(int32_t start, const std::string& s, const std::string& find);
// length characters from start; a start below 1 counts from 1, a negative
// length takes nothing; never reads outside the text.
std::string StringDBCSMid3(const std::string& s, int32_t start, int32_t length);
std::string StringDBCSMid2(const std::string& s, int32_t start);  // to the end
std::string StringDBCSLeft(const std::string& s, int32_t n);
std::string StringDBCSRight(const std::string& s, int32_t n);
// The n-th (from 1) field of s cut at sep; empty when there is none.
std::string StringNthField(const std::string& s, const std::string& sep, int32_t n);
// s without the white space (blanks, tabs, line breaks, Unicode spaces) at either end.
std::string StringTrim(const std::string& s);
std::string StringLCase(std::string s);      // a temporary is lowered in place
double StringVal(const std::string& s);      // 0 when no number
int32_t RuntimeCvtReal64ToSInt32(double d);  // truncates, saturates
double RuntimeCvtSInt32ToReal64(int32_t i);
std::string StringStrInt32(int32_t i, const std::string& format = "");
std::string StringStrDouble(double d, const std::string& format = "");
// 0 when equal ignoring letter case.
int32_t RuntimeStringCompare(const std::string& a, const std::string& b);
std::string RuntimeAddString(const std::string& a, const std::string& b);

}  // namespace fw
