#pragma once

#include "history/History.h"

#include <QByteArray>
#include <QHash>
#include <QList>

#include <map>
#include <optional>
#include <vector>

namespace history {

// A past version of a file, built from the file as it is now and its history: every entry
// in effect newer than `kept` taken back, newest first, and `kept` itself put back in when
// it is undone now. With no entry kept, the file as it was before all the changes. A span
// that does not lie within the image (a history of another file's length) is passed over;
// nothing changes the image's length.
QByteArray versionAfter(QByteArray image, const QList<Entry>& entries,
                        std::optional<qint64> kept = std::nullopt);

} // namespace history

namespace history {

// The versions of one open file kept up to date as its history changes, so that the original
// (what versionAfter gives with no entry kept) and the version right after any entry cost the
// same whatever the history's length: for each byte that entries in effect cover, what each
// of them found there. The history is read whole once, at the first use after an opening or
// after another connection changed it; the changes made through this one are told with
// changed().
class KeptVersions {
  public:
    KeptVersions(History& history, QString file);

    // The file as it was before the changes made in this editor, from the file as it is now:
    // versionAfter(image, every entry).
    QByteArray original(QByteArray image);
    // The file as it was right after entry `id`: versionAfter(image, every entry, id).
    QByteArray after(QByteArray image, qint64 id);
    // Entry `id` was added, undone, redone, settled or dropped through this history.
    void changed(qint64 id);

  private:
    // A byte as one span of an entry found it; a span that does not lie within the image is
    // passed over, as versionAfter does.
    struct Found {
        qint64 entry;
        int span;
        qint64 spanEnd;
        char byte;
    };
    void refresh();
    void remove(qint64 id);
    void add(const Entry& entry);
    QByteArray overlaid(QByteArray image, qint64 newerThan) const;

    History& history_;
    QString file_;
    std::optional<std::pair<int, qint64>> mark_;
    bool read_ = false;
    // By offset, the spans of the entries in effect that cover it, oldest entry first.
    std::map<qint64, std::vector<Found>> covered_;
    QHash<qint64, QList<rom::Span>> inEffect_; // their spans, by entry
};

} // namespace history
