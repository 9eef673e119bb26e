#pragma once

#include "filesession/UnrecordedChanges.h"
#include "history/History.h"
#include "history/Versions.h"
#include "rom/Commit.h"
#include "ui/EditorWindow.h"
#include "ui/FileAccess.h"

#include <QObject>

#include <memory>

class QAction;
class QMenu;

namespace rom {
class RomFile;
}

namespace app {

// Everything between the pages and the open file: every save, undo, redo and revert goes
// through the file layer's checks (the path still names the open file, the record still
// holds what was shown), is recorded in the history before it is written, and is synced.
// It owns the menu entries that act on the open file's changes, keeps them enabled and
// captioned (also when the Edit menu opens and when the window becomes active, since
// another window may have changed the history), and shows the History window.
class EditActions : public QObject, public ui::FileAccess {
    Q_OBJECT
  public:
    EditActions(EditorWindow& window, rom::RomFile& rom);

    // Adds Create Patch, Export Tables and Import Tables to the File menu.
    void fillFileMenu(QMenu* menu);
    // Adds the Edit menu's entries to `menu`.
    void fillEditMenu(QMenu* menu);
    // After an opening: the entries of this file are the ones offered.
    void fileOpened();
    void updateEditMenu();

    // `image` as it was before the changes made in this editor to the open file.
    QByteArray original(const QByteArray& image) { return versions_->original(image); }

    bool eventFilter(QObject* watched, QEvent* event) override;

    bool stillSameFile() override;
    Outcome commit(const history::RecordRef& record, const QList<rom::Span>& spans) override;

    // Each acts on the entry its caption names, and only while that entry is still the one
    // to take back or put back; otherwise it refreshes the captions and says so.
    void mnuUndoApply_Click();
    void mnuRedoApply_Click();
    void mnuHistory_Click();
    // The file as it was right after `chosen`, played in the emulator; the file is not written.
    void playVersion(const history::Entry& chosen);
    // Writes the complement and checksum that match the image, as one recorded change.
    void mnuUpdateChecksum_Click();
    void mnuCreatePatch_Click();
    void mnuExportTables_Click();
    // Every cell checked first; then the changed records as one recorded change.
    void mnuImportTables_Click();

    // Takes back entries, newest first, each only while the file still holds what it
    // wrote; stops at the first that no longer matches and says so. True when all went.
    bool revert(QList<history::Entry> entries);

  signals:
    // The commands on the open file (patch, tables, history, play) may run, or not.
    void fileCommandsEnabled(bool enabled);

  private:
    bool ready();
    std::optional<history::Entry> namedEntry(bool undo, const QVariant& named);
    void step(bool undo);
    bool takeBack(const history::Entry& entry, bool undo);
    bool reportFailure(rom::CommitResult result, const QString& conflict);
    void settlePending();

    QWidget* dialogParent() const { return window_.widget(); }

    EditorWindow& window_;
    rom::RomFile& rom_;
    history::History history_;
    UnrecordedChanges unrecorded_;
    QString file_;                                    // canonical path of the open file
    std::unique_ptr<history::KeptVersions> versions_; // of the open file
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* showHistory_ = nullptr;
    QAction* updateChecksum_ = nullptr;
    QAction* createPatch_ = nullptr;
    QAction* exportTables_ = nullptr;
    QAction* importTables_ = nullptr;
};

} // namespace app
