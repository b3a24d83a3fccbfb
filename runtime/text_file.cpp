#include "text_file.h"

#include "input_text/decoder_names.h"
#include "input_text/html_encoding.h"
#include "text_conversion.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tagora::runtime {
namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("TextFile", text);
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString fromName(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Qt's own decoders for UTF-8 and UTF-16; ICU's, through Qt, for the
// others, by the names ICU gives the encodings browsers define.
QStringDecoder decoderFor(std::string_view encoding)
{
    constexpr auto flags = QStringConverter::Flag::Stateless;
    if (encoding == html::kUtf8)
        return QStringDecoder(QStringConverter::Utf8, flags);
    if (encoding == html::kUtf16LE)
        return QStringDecoder(QStringConverter::Utf16LE, flags);
    if (encoding == html::kUtf16BE)
        return QStringDecoder(QStringConverter::Utf16BE, flags);
    return QStringDecoder(html::icuName(encoding).c_str(), flags);
}

// Qt's UTF-16 decoder passes unpaired surrogates through; they become
// U+FFFD, as in browsers. True when there was one.
bool replaceUnpairedSurrogates(QString& text)
{
    bool replaced = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (unit.isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
            replaced = true;
        }
    }
    return replaced;
}

// ICU's tables differ from the standard's at a few bytes of single-byte
// encodings, where each byte is one character. True when a byte became
// U+FFFD.
bool withStandardBytes(std::string_view encoding, QByteArrayView bytes, QString& text)
{
    bool replaced = false;
    if (html::isMultiByte(encoding) || text.size() != bytes.size())
        return replaced;
    for (const html::StandardByte& entry : html::kStandardBytes) {
        if (entry.encoding != encoding)
            continue;
        for (qsizetype i = bytes.indexOf(char(entry.byte)); i >= 0; i = bytes.indexOf(char(entry.byte), i + 1)) {
            text[i] = QChar(char16_t(entry.codePoint));
            replaced = replaced || entry.codePoint == QChar::ReplacementCharacter;
        }
    }
    return replaced;
}

std::optional<DecodedText> decodeAs(std::string_view encoding, QByteArrayView bytes)
{
    QStringDecoder decoder = decoderFor(encoding);
    if (!decoder.isValid())
        return std::nullopt;
    DecodedText decoded;
    decoded.encoding = fromName(encoding);
    decoded.text = decoder.decode(bytes);
    decoded.replaced = decoder.hasError();
    if (withStandardBytes(encoding, bytes, decoded.text))
        decoded.replaced = true;
    if (encoding == html::kUtf16LE || encoding == html::kUtf16BE)
        decoded.replaced = replaceUnpairedSurrogates(decoded.text) || bytes.size() % 2 != 0;
    return decoded;
}

TextSource sourceOf(html::EncodingSource source)
{
    switch (source) {
    case html::EncodingSource::ByteOrderMark:
        return TextSource::ByteOrderMark;
    case html::EncodingSource::UnmarkedUtf16:
        return TextSource::UnmarkedUtf16;
    case html::EncodingSource::Utf8:
        return TextSource::Utf8;
    case html::EncodingSource::Declared:
        return TextSource::DeclaredCharset;
    case html::EncodingSource::Guessed:
        break;
    }
    return TextSource::GuessedWindows1252;
}

QString kindOfFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return tr("It is a folder, not a file.");
    if (S_ISFIFO(mode))
        return tr("It is a named pipe (FIFO), not a file.");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return tr("It is a device, not a file.");
    if (S_ISSOCK(mode))
        return tr("It is a socket, not a file.");
    return tr("It is not a regular file.");
}

// At most kLargestHtmlFile + 1 bytes, so that a larger file is known to
// be one whatever its size says (files of /proc say 0).
ReadResult readLimited(int fd, qint64 sizeHint)
{
    constexpr qsizetype kMost = kLargestHtmlFile + 1;
    QByteArray bytes;
    bytes.resize(std::clamp<qint64>(sizeHint + 1, 4096, kMost));
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got == kMost)
                return {std::nullopt, tr("The file is larger than %1 MB, more than this window can hold.")
                                          .arg(kLargestHtmlFile >> 20)};
            bytes.resize(std::min(2 * got, kMost));
        }
        const ssize_t read = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return {std::nullopt, systemError(errno)};
        if (read == 0)
            break;
        got += read;
    }
    bytes.truncate(got);
    std::optional<DecodedText> decoded = decodeHtml(bytes);
    if (!decoded) {
        return {std::nullopt, tr("It is not UTF-8, and this copy of the program cannot read other "
                                 "character sets (its Qt library was built without ICU).")};
    }
    return {std::move(decoded), QString()};
}

// The entry of the folder whose name Qt reads as the given one, when
// exactly one does.
QByteArray entryReadAs(const QByteArray& folder, const QString& name)
{
    DIR* directory = opendir(folder.isEmpty() ? "." : folder.constData());
    if (!directory)
        return QFile::encodeName(name);
    QByteArrayList found;
    while (const dirent* entry = readdir(directory)) {
        if (QFile::decodeName(entry->d_name) == name)
            found << QByteArray(entry->d_name);
    }
    closedir(directory);
    return found.size() == 1 ? found.front() : QFile::encodeName(name);
}

// The first half of the notice about a page read as Windows-1252.
QString whyWindows1252(const DecodedText& decoded, const QString& fileName)
{
    const QString& label = decoded.ignoredCharset;
    if (label.isEmpty())
        return tr("\"%1\" is not UTF-8 and names no character set of its own").arg(fileName);
    if (decoded.charsetUnavailable) {
        return tr("\"%1\" is not UTF-8 and names %2, a character set this program cannot read")
            .arg(fileName, label);
    }
    const std::optional<std::string_view> named = html::encodingForLabel(label.toStdString());
    if (named == html::kUtf8)
        return tr("\"%1\" declares the character set \"%2\" but is not valid UTF-8").arg(fileName, label);
    if (named == html::kUtf16LE || named == html::kUtf16BE) {
        return tr("\"%1\" declares \"%2\", which browsers take for UTF-8 in a page without a "
                  "byte-order mark, but it is not valid UTF-8").arg(fileName, label);
    }
    if (named == html::kReplacement) {
        return tr("\"%1\" is not UTF-8 and names \"%2\", a character set browsers refuse to read")
            .arg(fileName, label);
    }
    return tr("\"%1\" is not UTF-8 and names \"%2\", a character set browsers do not know")
        .arg(fileName, label);
}

// A single-byte encoding written by its own reading of the 256 bytes.
std::optional<EncodedText> encodeSingleBytes(std::string_view encoding, const QString& text)
{
    QByteArray everyByte(256, '\0');
    for (int byte = 0; byte < 256; ++byte)
        everyByte[byte] = char(byte);
    const std::optional<DecodedText> table = decodeAs(encoding, everyByte);
    if (!table || table->text.size() != 256)
        return std::nullopt;
    QHash<char16_t, char> byteOf;
    for (int byte = 255; byte >= 0; --byte) {
        if (table->text[byte] != QChar::ReplacementCharacter)
            byteOf[table->text[byte].unicode()] = char(byte);
    }
    EncodedText encoded;
    encoded.bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto found = byteOf.constFind(text[i].unicode());
        if (found == byteOf.constEnd()) {
            encoded.unencodable = i;
            break;
        }
        encoded.bytes += *found;
    }
    return encoded;
}

// ICU's encoder, through Qt, checked by reading its bytes back: where the
// text read back first differs, a character was not encoded.
std::optional<EncodedText> encodeMultiByte(std::string_view encoding, const QString& text)
{
    QStringEncoder encoder(html::icuName(encoding).c_str(), QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return std::nullopt;
    EncodedText encoded{encoder.encode(text), -1};
    const std::optional<DecodedText> back = decodeAs(encoding, encoded.bytes);
    if (!back)
        return std::nullopt;
    if (encoder.hasError() || back->text != text) {
        const auto differ = std::mismatch(text.begin(), text.end(), back->text.begin(), back->text.end());
        encoded.unencodable = std::min<qsizetype>(differ.first - text.begin(), text.size() - 1);
    }
    return encoded;
}

QString writeAll(int fd, const QByteArray& bytes)
{
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return systemError(errno);
        next += written;
        left -= written;
    }
    return QString();
}

}  // namespace

std::optional<DecodedText> decodeHtml(const QByteArray& bytes)
{
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const html::EncodingChoice choice = html::chooseEncoding(view);
    std::optional<DecodedText> decoded = decodeAs(choice.encoding, QByteArrayView(bytes).sliced(qsizetype(choice.markSize)));
    bool unavailable = false;
    if (!decoded && choice.source == html::EncodingSource::Declared) {
        unavailable = true;
        decoded = decodeAs(html::kWindows1252, bytes);
    }
    if (!decoded)
        return std::nullopt;
    if (unavailable) {
        decoded->source = TextSource::GuessedWindows1252;
        decoded->ignoredCharset = fromName(choice.encoding);
        decoded->charsetUnavailable = true;
    } else {
        decoded->source = sourceOf(choice.source);
        decoded->ignoredCharset = QString::fromStdString(choice.ignoredLabel);
    }
    return decoded;
}

bool isLegacyEncoding(const QString& encoding)
{
    return html::isLegacyEncoding(encoding.toStdString());
}

std::optional<EncodedText> encodeText(const QString& text, const QString& encoding)
{
    const std::string name = encoding.toStdString();
    return html::isMultiByte(name) ? encodeMultiByte(name, text) : encodeSingleBytes(name, text);
}

QString decodeText(const QByteArray& bytes, const QString& encoding)
{
    const std::optional<DecodedText> decoded = decodeAs(encoding.toStdString(), bytes);
    return decoded ? decoded->text : fromUtf8(bytes.toStdString());
}

QString readingNotice(const DecodedText& decoded, const QString& fileName)
{
    QStringList notice;
    if (decoded.source == TextSource::UnmarkedUtf16) {
        notice << tr("\"%1\" has no byte-order mark, but its first characters show %2, so it was "
                     "read as %2.").arg(fileName, decoded.encoding);
    }
    if (decoded.source == TextSource::GuessedWindows1252) {
        notice << whyWindows1252(decoded, fileName)
                      + tr(", so it was read as Windows-1252 (Western European). Check any "
                           "characters outside plain ASCII.");
    }
    if (decoded.replaced) {
        notice << tr("Some bytes of \"%1\" are not valid %2: each shows as the replacement "
                     "character \uFFFD.").arg(fileName, decoded.encoding);
    }
    return notice.join(QStringLiteral("\n\n"));
}

ReadResult readHtmlFile(const QString& path)
{
    const QByteArray native = nativePath(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0) {
        const int error = errno;  // a socket cannot be opened at all
        if (stat(native.constData(), &status) == 0 && !S_ISREG(status.st_mode))
            return {std::nullopt, kindOfFile(status.st_mode)};
        return {std::nullopt, systemError(error)};
    }
    ReadResult result;
    if (fstat(fd, &status) != 0)
        result.error = systemError(errno);
    else if (!S_ISREG(status.st_mode))
        result.error = kindOfFile(status.st_mode);
    else {
        try {
            result = readLimited(fd, status.st_size);
        } catch (const std::bad_alloc&) {
            result = {std::nullopt, tr("There is not enough memory to read it.")};
        }
    }
    close(fd);
    return result;
}

QByteArray nativePath(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (!path.contains(QChar::ReplacementCharacter) || access(encoded.constData(), F_OK) == 0)
        return encoded;
    QByteArray native = path.startsWith(QLatin1Char('/')) ? QByteArray("/") : QByteArray();
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QByteArray folder = native;
        if (!native.isEmpty() && !native.endsWith('/'))
            native += '/';
        native += part.contains(QChar::ReplacementCharacter) ? entryReadAs(folder, part)
                                                             : QFile::encodeName(part);
    }
    return native;
}

// QSaveFile writes the temporary file; a short write (a full disk, a file
// size limit) is not reported by Qt 6.4's own write path, which would then
// commit a cut-off file. So the bytes go through write(2) here, with the
// system's reason for any failure. Past a file-size limit the system
// would end the program with SIGXFSZ: ignored, the write fails instead.
QString writeBytesFile(const QString& path, const QByteArray& bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const QString error = writeAll(file.handle(), bytes);
    if (!error.isEmpty()) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

}  // namespace tagora::runtime
