// Strict UTF-8 decoding and encoding between the bytes of files and
// streams and the program's 16-bit text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace tagora::cli {

// Where decoding stopped: the byte offset, counted from 0, of the first
// byte of the first ill-formed sequence.
struct Utf8Error {
    std::size_t offset;
};

// Decodes well-formed UTF-8 into UTF-16 and turns every line break (CR LF,
// a lone LF or a lone CR) into CR LF, as pasting the text into the input
// box does. Overlong forms, encoded surrogates, code points above U+10FFFF,
// stray continuation bytes and truncated sequences are ill-formed. NUL is
// an ordinary character.
std::variant<std::u16string, Utf8Error> decodeUtf8WithCrLf(std::string_view bytes);

// Encodes UTF-16 as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string encodeUtf8(std::u16string_view text);

}  // namespace tagora::cli
