// A large, realistic HTML text to feed the generators: indented markup
// with double-quoted attributes, TABs, scripts with backslashes and dollar
// signs, comments, empty lines and non-ASCII text, lines joined by CR LF.
#pragma once

#include <cstddef>
#include <string>

namespace tagora::bench {

// At least minUnits UTF-16 code units, always ending with a whole line.
// The same size gives the same text on every run.
std::u16string sampleHtml(std::size_t minUnits);

// The number of CR LF pairs in the text.
std::size_t countLineBreaks(const std::u16string& text);

// UTF-8 for the command-line converter (unpaired surrogates become U+FFFD).
std::string toUtf8(const std::u16string& text);

}  // namespace tagora::bench
