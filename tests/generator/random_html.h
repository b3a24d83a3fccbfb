// Random inputs for the interpreter round trips: each is 1 to 30 pieces
// drawn from a list of the characters and sequences a script must carry.
#pragma once

#include <QRandomGenerator>
#include <QStringList>

inline QStringList randomHtml(const QStringList& pieces, int count)
{
    QRandomGenerator random(20261206);
    QStringList inputs;
    for (int i = 0; i < count; ++i) {
        QString html;
        for (int p = 1 + random.bounded(30); p > 0; --p)
            html += pieces[random.bounded(pieces.size())];
        inputs << html;
    }
    return inputs;
}
