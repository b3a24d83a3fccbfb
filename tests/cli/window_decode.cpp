// The window's reading of a page, for single_byte_encodings.js: standard
// input decoded as the window opens a file, written to standard output as
// UTF-8, preceded by the name of the encoding read and a LF.
#include "text_file.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QFile input, output;
    if (!input.open(stdin, QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly))
        return 2;
    const std::optional<tagora::runtime::DecodedText> decoded = tagora::runtime::decodeHtml(input.readAll());
    if (!decoded)
        return 2;
    output.write((decoded->encoding + u'\n' + decoded->text).toUtf8());
    return 0;
}
