// How a browser finds the character encoding of an HTML file: a
// byte-order mark, else the <meta> that declares a charset near the top,
// with the encoding names and labels browsers know. The window and
// tagora-convert --encoding auto both read files this way, so they agree
// on every file:
//   1. a UTF-8 or UTF-16 byte-order mark;
//   2. UTF-16 without a mark, when the first bytes leave no doubt;
//   3. valid UTF-8;
//   4. the encoding a <meta> names within the first 1024 bytes;
//   5. else Windows-1252, a guess.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tagora::html {

// Encodings by the names browsers give them.
inline constexpr std::string_view kUtf8 = "UTF-8";
inline constexpr std::string_view kUtf16LE = "UTF-16LE";
inline constexpr std::string_view kUtf16BE = "UTF-16BE";
inline constexpr std::string_view kWindows1252 = "windows-1252";
inline constexpr std::string_view kUserDefined = "x-user-defined";
// What labels of encodings browsers refuse to read (ISO-2022-KR,
// HZ-GB-2312, ...) name.
inline constexpr std::string_view kReplacement = "replacement";

// Whether text read in an encoding was in a legacy one: neither UTF-8 nor
// UTF-16 (none named: not read from a file).
inline bool isLegacyEncoding(std::string_view encoding)
{
    return !encoding.empty() && encoding != kUtf8 && encoding != kUtf16LE && encoding != kUtf16BE;
}

// The bytes looked at for a <meta> charset and for UTF-16 without a mark.
inline constexpr std::size_t kSniffSize = 1024;

// The encoding a label names ("latin1", " UTF8 ", "unicode"...): case and
// surrounding ASCII whitespace do not matter. Nothing for an unknown label.
std::optional<std::string_view> encodingForLabel(std::string_view label);

struct ByteOrderMark {
    std::string_view encoding;
    std::size_t size;
};

// The UTF-8, UTF-16LE or UTF-16BE byte-order mark the bytes start with.
std::optional<ByteOrderMark> byteOrderMark(std::string_view bytes);

// UTF-16 without a byte-order mark, recognised only where no other
// reading is plausible: within the first kSniffSize bytes, no NUL
// character, surrogates in pairs, and at least half of the characters
// (two at least) below U+0100, so that every other byte is a zero; and
// in one byte order only.
std::optional<std::string_view> unmarkedUtf16(std::string_view start);

struct MetaCharset {
    std::optional<std::string_view> encoding;  // what the page declares
    std::string label;  // the label written there, or the first one that names nothing
};

// A browser's prescan of the first kSniffSize bytes for <meta charset> or
// <meta http-equiv="Content-Type" content="...; charset=...">, comments
// and other tags skipped. A label browsers do not know is passed over; a
// declared UTF-16 means UTF-8 and x-user-defined means Windows-1252.
MetaCharset declaredCharset(std::string_view start);

enum class EncodingSource {
    ByteOrderMark,  // the mark is not part of the text
    UnmarkedUtf16,
    Utf8,
    Declared,
    Guessed,  // Windows-1252
};

struct EncodingChoice {
    std::string_view encoding;
    EncodingSource source;
    std::size_t markSize = 0;  // bytes of a byte-order mark to skip
    // Guessed: the label of a <meta> that could not be followed (unknown,
    // refused by browsers, or UTF-8 for bytes that are not); else empty.
    std::string ignoredLabel;
};

// Steps 1 and 2, from the first bytes of a file alone.
std::optional<EncodingChoice> markedEncoding(std::string_view start);
// Steps 3 to 5, for a file without a mark, once it is known whether the
// whole of it is valid UTF-8.
EncodingChoice unmarkedEncoding(std::string_view start, bool validUtf8);
// All five steps on a whole file.
EncodingChoice chooseEncoding(std::string_view bytes);

}  // namespace tagora::html
