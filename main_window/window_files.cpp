#include "window_files.h"

#include "busy_cursor.h"
#include "code_text_box.h"
#include "file_dialog.h"
#include "message_box.h"
#include "recent_files.h"
#include "script_reader/script_read_error.h"
#include "script_reader/script_to_html.h"
#include "script_writer/credits.h"
#include "text_conversion.h"
#include "text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QTextDocument>

namespace tagora {

using namespace runtime;

namespace {

// The line and column (from 1, in characters) of text[index], lines
// ending at CR LF as the window's texts do.
std::pair<qsizetype, qsizetype> placeOf(const QString& text, qsizetype index)
{
    const qsizetype lineStart = index == 0 ? 0 : text.lastIndexOf(QLatin1Char('\n'), index - 1) + 1;
    qsizetype column = 1;
    for (qsizetype i = lineStart; i < index; ++i)
        column += text[i].isLowSurrogate() ? 0 : 1;
    return {text.left(lineStart).count(QLatin1Char('\n')) + 1, column};
}

}  // namespace

WindowFiles::WindowFiles(QMainWindow* window, CodeTextBox* inputBox, RecentFiles* recentFiles)
    : QObject(window), window_(window), inputBox_(inputBox), recentFiles_(recentFiles)
{
    // A slice of a large file going in is no change: the title does not
    // flicker with the mark.
    connect(inputBox_->document(), &QTextDocument::modificationChanged, this, [this](bool changed) {
        if (!openedFile_.isEmpty() && !inputBox_->addingSlice())
            window_->setWindowModified(changed);
    });
}

QString WindowFiles::askForFileToOpen(bool readsScript)
{
    QStringList filters{tr("HTML files (*.html *.htm *.xhtml *.shtml)"),
                        tr("Scripts (*.php *.asp *.js *.json *.jsp *.pl *.py)"), tr("All files (*)")};
    if (readsScript)
        filters.swapItemsAt(0, 1);
    const QString title = readsScript ? tr("Open Script File") : tr("Open HTML File");
    return runtime::askForFileToOpen(window_, title, lastFolder_, filters);
}

// The title names the file, and File > Open Recent offers it again; a
// file that is gone is dropped from it.
std::optional<QString> WindowFiles::open(const QString& path)
{
    ReadResult read;
    {
        BusyCursor busy;
        read = readHtmlFile(path);
        if (read.decoded)
            inputBox_->showText(read.decoded->text);
    }
    const QString name = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!read.decoded) {
        if (!QFileInfo::exists(path))
            recentFiles_->remove(path);
        showMessage(window_, tr("The file \"%1\" cannot be opened.\n\n%2").arg(name, read.error),
                    MessageIcon::Exclamation);
        return std::nullopt;
    }
    openedFile_ = QFileInfo(path).absoluteFilePath();
    openedEncoding_ = read.decoded->encoding;
    lastFolder_ = QFileInfo(path).absolutePath();
    inputBox_->document()->setModified(false);
    showInTitle();
    recentFiles_->add(path);
    const QString notice = readingNotice(*read.decoded, name);
    if (!notice.isEmpty())
        showMessage(window_, notice, MessageIcon::Information);
    return read.decoded->text;
}

// "page.html* - Tagora Converter v1.0.0" while the page has changed since
// it was opened.
void WindowFiles::showInTitle()
{
    const QString product = fromAscii(credits::kProductTitle);
    QString file = QFileInfo(openedFile_).fileName();
    file.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));  // shown as it is
    window_->setWindowTitle(tr("%1[*] - %2").arg(file, product));
    window_->setWindowModified(inputBox_->document()->isModified());
}

// The file holds the text as it is, in UTF-8 without a byte-order mark,
// with CR LF between lines, but for a template (see bytesToSave).
std::optional<QString> WindowFiles::save(const QString& text, const Saved& kind, std::optional<Target> templateOf)
{
    const std::optional<QByteArray> bytes = bytesToSave(text, templateOf);
    if (!bytes)
        return std::nullopt;
    const QString path = askForFileToSave(window_, tr("Save %1").arg(kind.title), proposedFile(kind.extension),
                                          {kind.filter, tr("All files (*)")});
    if (path.isEmpty())
        return std::nullopt;
    lastFolder_ = QFileInfo(path).absolutePath();
    QString error;
    {
        BusyCursor busy;
        error = writeBytesFile(path, *bytes);
    }
    if (!error.isEmpty()) {
        showMessage(window_,
                    tr("The script could not be saved as \"%1\".\n\n%2").arg(QDir::toNativeSeparators(path), error),
                    MessageIcon::Exclamation);
        return std::nullopt;
    }
    return path;
}

// A template keeps code in the language of its file, whose string
// literals mean what the file's encoding makes of their bytes: it is
// saved in that encoding, as its text is when no code is left. Where a
// character cannot be, the user is asked whether to save in UTF-8
// instead, told where code may change meaning; none when not.
std::optional<QByteArray> WindowFiles::bytesToSave(const QString& text, std::optional<Target> templateOf)
{
    const bool keepsEncoding =
        (templateOf == Target::Php || templateOf == Target::Asp) && isLegacyEncoding(openedEncoding_);
    if (!keepsEncoding)
        return QByteArray::fromStdString(toUtf8(text));
    const std::optional<EncodedText> encoded = encodeText(text, openedEncoding_);
    if (encoded && encoded->unencodable < 0)
        return encoded->bytes;
    QString why = tr("This program cannot write %1.").arg(openedEncoding_);
    if (encoded) {
        const auto [line, column] = placeOf(text, encoded->unencodable);
        const qsizetype length = text[encoded->unencodable].isHighSurrogate() ? 2 : 1;
        why = tr("The character \"%1\" at line %2, column %3 cannot be written in %4.")
                  .arg(text.mid(encoded->unencodable, length))
                  .arg(line)
                  .arg(column)
                  .arg(openedEncoding_);
    }
    const QString question = tr("The template was read from a file in %1, and is saved in it so that its code "
                                "keeps its meaning. %2%3\n\nSave the template in UTF-8 instead?")
                                 .arg(openedEncoding_, why, codeBeyondAscii(text, *templateOf));
    if (!askYesNo(window_, question, MessageIcon::Exclamation))
        return std::nullopt;
    return QByteArray::fromStdString(toUtf8(text));
}

// Where the template's code holds characters beyond ASCII, which in UTF-8
// may not mean what they meant in the file's encoding: a paragraph of a
// message, or nothing.
QString WindowFiles::codeBeyondAscii(const QString& text, Target language) const
{
    constexpr std::size_t kMostPlaces = 10;
    const std::vector<ScriptReadError> places = templateCodeBeyondAscii(toUtf8(text), language, kMostPlaces);
    if (places.empty())
        return QString();
    QString paragraph = tr("\n\nIn UTF-8, code may not mean what it meant in %1:").arg(openedEncoding_);
    for (const ScriptReadError& place : places)
        paragraph += tr("\nLine %1, column %2: %3.").arg(place.line).arg(place.column).arg(QString::fromStdString(place.message));
    if (places.size() == kMostPlaces)
        paragraph += tr("\n(and perhaps more)");
    return paragraph;
}

// The opened file's name with the output's extension, in its folder.
QString WindowFiles::proposedFile(const QString& extension) const
{
    const QFileInfo opened(openedFile_);
    const QString base = openedFile_.isEmpty() ? QStringLiteral("script") : opened.completeBaseName();
    const QString folder = !openedFile_.isEmpty() ? opened.absolutePath()
                           : !lastFolder_.isEmpty() ? lastFolder_
                                                    : QDir::currentPath();
    return QDir(folder).filePath(base + extension);
}

}  // namespace tagora
