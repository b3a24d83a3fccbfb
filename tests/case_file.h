// Cases written out in a text file, for data-driven tests. "== name"
// starts a case; each line after it holds a key and its value, which
// starts after the key and a space, in the sixth column at the earliest.
// A value's bytes stand as they are but for ^J LF, ^M CR, ^I TAB, ^@ NUL,
// ^xHH the byte HH and ^^ a caret. Blank lines and lines starting with #
// are for the reader.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>

#include <algorithm>

namespace testcases {

struct Case {
    QByteArray name;
    QMap<QByteArray, QByteArray> values;
};

inline QByteArray withCaretsReplaced(const QByteArray& value)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != '^' || i + 1 == value.size()) {
            bytes += value[i];
        } else if (const char c = value[++i]; c == 'x') {
            bytes += char(value.mid(i + 1, 2).toUInt(nullptr, 16));
            i += 2;
        } else {
            bytes += c == 'J' ? '\n' : c == 'M' ? '\r' : c == 'I' ? '\t' : c == '@' ? '\0' : c;
        }
    }
    return bytes;
}

// The cases of the file, in order; none when it cannot be read.
inline QList<Case> readCases(const QString& path)
{
    QFile file(path);
    QList<Case> cases;
    if (!file.open(QIODevice::ReadOnly))
        return cases;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("== ")) {
            cases.append({line.mid(3), {}});
        } else if (!cases.isEmpty() && !line.trimmed().isEmpty() && !line.startsWith('#')) {
            const QByteArray key = line.left(line.indexOf(' '));
            cases.last().values[key] = withCaretsReplaced(line.mid(std::max<qsizetype>(key.size() + 1, 5)));
        }
    }
    return cases;
}

}  // namespace testcases
