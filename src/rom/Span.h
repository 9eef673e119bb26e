#pragma once

#include <QByteArray>
#include <QList>

namespace rom {

class RomFile;

// One run of bytes a save writes: where, what the file held when the page was loaded,
// and what is to be written there.
struct Span {
    qint64 offset = 0;
    QByteArray before;
    QByteArray after;

    bool changes() const { return before != after; }
};

// Writes each span's new bytes in order and stops at the first write the file refuses
// (then with the file's error in rom.errorString()). How many spans were written whole.
qsizetype writeSpans(RomFile& rom, const QList<Span>& spans);

} // namespace rom
