#pragma once

#include <QByteArray>
#include <QList>

namespace rom {

// One run of bytes a save writes: where, what the file held when the page was loaded,
// and what is to be written there.
struct Span {
    qint64 offset = 0;
    QByteArray before;
    QByteArray after;

    bool changes() const { return before != after; }
};

} // namespace rom
