// Reading the update file: the value between a tag's opening and closing tags.
#include "update/update_window.h"

namespace quorrel {

std::string updateWindow::startTag(const std::string& name) {
    return RuntimeAddString(RuntimeAddString("<", name), ">");
}

std::string updateWindow::endTag(const std::string& name) {
    return RuntimeAddString(RuntimeAddString("</", name), ">");
}

// No step checks that a tag was found: a missing opening tag reads from the
// position equal to the tag's length, a missing closing tag gives a negative
// length and so the empty text (the text operations never read outside it).
std::string updateWindow::returnValue(const std::string& text, const std::string& name) {
    int32_t p = StringInStr(1, text, startTag(name));
    int32_t l = StringDBCSLen(startTag(name));
    int32_t s = p + l;
    int32_t q = StringInStr(s, text, endTag(name));
    return StringDBCSMid3(text, s, q - s);
}

// Each field is read without the white space around it, so that a version
// written on a line of its own (LF or CRLF around it) reads as its numbers.
// The text shown in the dialog stays as written.
double VersionField(const std::string& version, int32_t field) {
    return StringVal(StringTrim(StringNthField(version, ".", field)));
}

}  // namespace quorrel
