#include "text_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <new>

#include <unistd.h>

namespace tagora::runtime {
namespace {

constexpr qsizetype kCharsetWindow = 1024;

QString tr(const char* text)
{
    return QCoreApplication::translate("TextFile", text);
}

// Windows-1252 through Qt's decoder (ICU): the five bytes the code page
// leaves undefined keep their C1 control code, as browsers read them.
QString fromWindows1252(const QByteArray& bytes)
{
    return QStringDecoder("windows-1252", QStringConverter::Flag::Stateless).decode(bytes);
}

std::optional<QString> decodeStrictly(QStringDecoder decoder, const QByteArray& bytes)
{
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The charset named by a <meta charset="..."> or <meta http-equiv
// content="...; charset=..."> near the top of the page.
QString declaredCharset(const QByteArray& bytes)
{
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta[^>]*charset\s*=\s*["']?\s*([A-Za-z0-9_.:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(QString::fromLatin1(bytes.left(kCharsetWindow)));
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

bool isWindows1252Alias(const QString& charset)
{
    static const QStringList aliases{QStringLiteral("windows-1252"), QStringLiteral("cp1252"),
                                     QStringLiteral("iso-8859-1"), QStringLiteral("latin1"),
                                     QStringLiteral("us-ascii"), QStringLiteral("ascii")};
    return aliases.contains(charset);
}

// A declaration of UTF-8 or UTF-16 cannot be right for bytes that are not
// valid UTF-8 and have no byte-order mark.
std::optional<QString> decodeAsDeclared(const QByteArray& bytes)
{
    const QString charset = declaredCharset(bytes);
    if (charset.isEmpty() || charset.startsWith(QLatin1String("utf")))
        return std::nullopt;
    if (isWindows1252Alias(charset))
        return fromWindows1252(bytes);
    QStringDecoder decoder(charset.toLatin1().constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return std::nullopt;
    return decoder.decode(bytes);
}

std::optional<DecodedText> decodeByMark(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> encoding =
        QStringConverter::encodingForData(bytes.left(4));
    const bool marked = encoding
                        && (*encoding == QStringConverter::Utf16LE
                            || *encoding == QStringConverter::Utf16BE
                            || (*encoding == QStringConverter::Utf8 && bytes.startsWith("\xEF\xBB\xBF")));
    if (!marked)
        return std::nullopt;
    QStringDecoder decoder(*encoding, QStringConverter::Flag::Stateless);  // drops the mark
    return DecodedText{decoder.decode(bytes), TextSource::ByteOrderMark};
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
            return QString::fromLocal8Bit(std::strerror(errno));
        next += written;
        left -= written;
    }
    return QString();
}

QString readError(const QFile& file)
{
    return file.errorString();
}

}  // namespace

DecodedText decodeHtml(const QByteArray& bytes)
{
    if (std::optional<DecodedText> marked = decodeByMark(bytes))
        return *marked;
    if (std::optional<QString> utf8 = decodeStrictly(QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless), bytes))
        return {*utf8, TextSource::Utf8};
    if (std::optional<QString> declared = decodeAsDeclared(bytes))
        return {*declared, TextSource::DeclaredCharset};
    return {fromWindows1252(bytes), TextSource::GuessedWindows1252};
}

ReadResult readHtmlFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {std::nullopt, tr("It is a folder, not a file.")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, readError(file)};
    if (file.size() > kLargestHtmlFile) {
        return {std::nullopt, tr("The file is larger than %1 MB, more than this window can hold.")
                                  .arg(kLargestHtmlFile >> 20)};
    }
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return {std::nullopt, readError(file)};
        return {decodeHtml(bytes), QString()};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, tr("There is not enough memory to read it.")};
    }
}

// QSaveFile writes the temporary file; a short write (a full disk, a file
// size limit) is not reported by Qt 6.4's own write path, which would then
// commit a cut-off file. So the bytes go through write(2) here, with the
// system's reason for any failure.
QString writeTextFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const QString error = writeAll(file.handle(), text.toUtf8());
    if (!error.isEmpty()) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

}  // namespace tagora::runtime
