#pragma once

#include "history/History.h"
#include "rom/RomFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace app {

// How a command ends: done, refused or failed (the reason on stderr), or a command line that
// cannot be read (the reason and the usage on stderr).
inline constexpr int kCommandDone = 0;
inline constexpr int kCommandFailed = 1;
inline constexpr int kUsageError = 2;

// One line on stderr.
void tell(const QString& message);
// Tells `message` and gives kCommandFailed.
int fail(const QString& message);

// The file a command works on, without a window. Reading sets a copier header aside; writing
// refuses a headered image (the window removes headers). Both refuse a file that does not look
// like an image of Valdric unless `force`, and a file too large to be read whole. Before a
// command writes, the file's pending history entries (a change cut short when the program
// ended) are settled by what the file holds; every write is one entry of the history,
// recorded before a byte reaches the file. Each refusal and failure is told on stderr.
class HeadlessFile {
  public:
    HeadlessFile(QString path, bool force);

    // The headerless image, or nothing (told).
    std::optional<QByteArray> read();
    // Opens the file for writing and settles its pending entries; false (told) when it cannot.
    bool open();

    const QString& path() const { return path_; }
    // After open(): the file, its image and its history.
    QByteArray image() const;
    const rom::RomFile& rom() const { return rom_; }
    history::History& history() { return history_; }
    QString canonicalPath() const { return canonical_; }

    // `spans` as one entry recording `record`; false (told) when the write failed, and a
    // warning that `what` ("The import") cannot be undone when the history could not record it.
    bool write(const history::RecordRef& record, const QList<rom::Span>& spans,
               const QString& what);

  private:
    bool looksUsable();

    QString path_;
    bool force_;
    QString canonical_;
    rom::RomFile rom_;
    history::History history_;
};

} // namespace app
