// Bytes from outside the program (an HTTP reply) turned into the framework's
// text, UTF-8, whatever encoding they came in.
#pragma once

#include <string>

namespace fw {

// The charset parameter of a Content-Type value ("text/xml; charset=UTF-16"),
// lower case, without quotes; empty when there is none.
std::string CharsetOf(const std::string& contentType);

// Decodes bytes to UTF-8: by a byte-order mark first (UTF-8, UTF-16 LE or
// BE), else by the charset named (any that iconv knows), else as UTF-8 when
// they are valid UTF-8, else as Windows-1252 (the superset of ISO-8859-1 that
// such undeclared text is in practice). Bytes that the encoding cannot
// decode become U+FFFD: the result is always valid UTF-8.
std::string DecodeText(const std::string& bytes, const std::string& charset);

}  // namespace fw
