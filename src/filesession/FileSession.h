#pragma once

#include "filesession/UnrecordedChanges.h"
#include "history/History.h"
#include "history/Versions.h"
#include "rom/Commit.h"
#include "ui/EditorWindow.h"
#include "ui/FileAccess.h"

#include <QObject>

#include <memory>

namespace rom {
class RomFile;
}

namespace app {

// "undone" or "redone", as the messages about an undo or a redo say.
QString undoneWord(bool undo);

// Everything between the open file and what changes it: every save, undo, redo and revert
// goes through the file layer's checks (the path still names the open file, the record still
// holds what was shown), is recorded in the file's history before it is written, and is
// synced. It keeps the file's past versions and tells the user what went wrong.
class FileSession : public QObject, public ui::FileAccess {
    Q_OBJECT
  public:
    FileSession(EditorWindow& window, rom::RomFile& rom);

    // After an opening: what the program was writing when it ended last is settled, and the
    // entries and versions of this file are the ones offered.
    void fileOpened();

    bool stillSameFile() override;
    Outcome commit(const history::RecordRef& record, const QList<rom::Span>& spans) override;

    // The entry an undo (or a redo) acts on now, if any.
    std::optional<history::Entry> nextEntry(bool undo);
    // False while the history can be read but not written: no step can be recorded.
    bool canRecordSteps() const { return !history_.isReadOnly(); }
    // The open file's entries, newest first, older than `olderThan`.
    QList<history::Entry> entries(qint64 olderThan, int count);

    // Undo writes an entry's old bytes, redo its new ones, each only over what the other
    // left; the page shown is read again. True when the bytes are in the file.
    bool takeBack(const history::Entry& entry, bool undo);
    // Takes back entries, newest first, each only while the file still holds what it
    // wrote; stops at the first that no longer matches and says so. True when all went.
    bool revert(QList<history::Entry> entries);

    // `image` as it was before the changes made in this editor to the open file.
    QByteArray original(const QByteArray& image) { return versions_->original(image); }
    // `image` as it was right after entry `id`.
    QByteArray versionAfter(const QByteArray& image, qint64 id) {
        return versions_->after(image, id);
    }

  signals:
    // An entry was added, undone or redone, or another file opened: what undo and redo act
    // on may have changed.
    void historyChanged();

  private:
    bool reportFailure(rom::CommitResult result, const QString& conflict);
    void settlePending();

    QWidget* dialogParent() const { return window_.widget(); }

    EditorWindow& window_;
    rom::RomFile& rom_;
    history::History history_;
    UnrecordedChanges unrecorded_;
    QString file_;                                    // canonical path of the open file
    std::unique_ptr<history::KeptVersions> versions_; // of the open file
};

} // namespace app
