// Reading HTML files and writing scripts.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tagora::runtime {

// Larger files are refused: the text box would need many times as much
// memory again.
inline constexpr qint64 kLargestHtmlFile = qint64{64} << 20;

enum class TextSource {
    ByteOrderMark,      // a UTF-8 or UTF-16 byte-order mark
    UnmarkedUtf16,      // UTF-16 without a mark, plain from its first bytes
    Utf8,               // no mark, valid UTF-8
    DeclaredCharset,    // not UTF-8; the <meta charset> of the page
    GuessedWindows1252  // not UTF-8 and no usable declaration: a guess
};

struct DecodedText {
    QString text;
    TextSource source = TextSource::Utf8;
    QString encoding;  // the name of the encoding read
    // With GuessedWindows1252: the charset the page names but that could
    // not be followed, and whether only this program lacks it.
    QString ignoredCharset;
    bool charsetUnavailable = false;
    // Some bytes are not valid in the encoding: each shows as U+FFFD.
    bool replaced = false;
};

// The browsers' order (see html_encoding.h): a byte-order mark, UTF-16
// plain from its first bytes, strict UTF-8, the charset a <meta> declares
// within the first 1024 bytes, or else Windows-1252. The decoding itself
// is Qt's; std::nullopt when this build of Qt cannot decode even
// Windows-1252 (a Qt without ICU).
std::optional<DecodedText> decodeHtml(const QByteArray& bytes);

// What the user should be told about how the file was read, or an empty
// string when it was read as it says it is.
QString readingNotice(const DecodedText& decoded, const QString& fileName);

struct ReadResult {
    std::optional<DecodedText> decoded;
    QString error;  // the reason, when decoded is empty
};

// Reads a regular file of at most kLargestHtmlFile bytes without ever
// waiting: a named pipe, a device or a socket is refused, and no more
// than the limit is read whatever size the file claims.
ReadResult readHtmlFile(const QString& path);

// The file's name as the system spells it. Qt reads bytes of a name that
// are not UTF-8 as U+FFFD and cannot give them back; such a name is found
// again in its folder, as the one entry that Qt reads the same way.
QByteArray nativePath(const QString& path);

// Whether a file read in the encoding (as DecodedText names it) is a
// legacy one, whose templates are saved in it: not UTF-8 nor UTF-16.
bool isLegacyEncoding(const QString& encoding);

struct EncodedText {
    QByteArray bytes;
    qsizetype unencodable = -1;  // the first character the encoding cannot hold, if any
};

// The text in the encoding, which reads back as the same text (as
// decodeHtml reads it) unless a character cannot be encoded; std::nullopt
// when this build of Qt cannot write the encoding.
std::optional<EncodedText> encodeText(const QString& text, const QString& encoding);

// The bytes in the encoding, read as decodeHtml reads it (bytes not valid
// in it as U+FFFD); the bytes as UTF-8 when this build cannot read it.
QString decodeText(const QByteArray& bytes, const QString& encoding);

// Writes the bytes all or nothing: an existing file is replaced only once
// the new bytes are completely written. Returns the reason of a failure,
// or an empty string.
QString writeBytesFile(const QString& path, const QByteArray& bytes);

}  // namespace tagora::runtime
