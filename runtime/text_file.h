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
    ByteOrderMark,     // a UTF-8 or UTF-16 byte-order mark
    Utf8,              // no mark, valid UTF-8
    DeclaredCharset,   // not UTF-8; the <meta charset> of the page
    GuessedWindows1252 // not UTF-8 and no usable declaration: a guess
};

struct DecodedText {
    QString text;
    TextSource source;
};

// A byte-order mark decides; without one, strict UTF-8; a page that is not
// valid UTF-8 is read in the charset its <meta> declares within the first
// 1024 bytes, or else as Windows-1252.
DecodedText decodeHtml(const QByteArray& bytes);

struct ReadResult {
    std::optional<DecodedText> decoded;
    QString error;  // the reason, when decoded is empty
};

ReadResult readHtmlFile(const QString& path);

// Writes the text as UTF-8 without a byte-order mark, all or nothing: an
// existing file is replaced only once the new text is completely written.
// Returns the reason of a failure, or an empty string.
QString writeTextFile(const QString& path, const QString& text);

}  // namespace tagora::runtime
