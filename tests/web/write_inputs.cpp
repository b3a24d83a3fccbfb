// Writes the interpreter test's inputs into a folder for the web tests:
// each one tagora-convert can read (no lone surrogate) as its own UTF-8
// file, NNNN.html; the others together in lone_surrogates.utf16 (UTF-16LE,
// each followed by the case end).
#include "interpreter_inputs.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace tagora::testing;

namespace {

bool hasLoneSurrogate(const QString& text)
{
    return QString::fromUtf8(text.toUtf8()) != text;  // UTF-8 cannot hold one
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: write_inputs FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QString lone;
    int count = 0;
    for (const QString& input : handWrittenInputs() + randomInputs(nullptr, 1000)) {
        if (hasLoneSurrogate(input)) {
            lone += input + QChar(kCaseEnd);
            continue;
        }
        const QString name = QStringLiteral("%1/%2.html").arg(folder).arg(++count, 4, 10, QLatin1Char('0'));
        if (!write(name, input.toUtf8()))
            return 1;
    }
    const QByteArray units(reinterpret_cast<const char*>(lone.utf16()), lone.size() * 2);
    return write(folder + QStringLiteral("/lone_surrogates.utf16"), units) ? 0 : 1;
}
