#pragma once

#include "history/History.h"
#include "ui/EditorWindow.h"

#include <QObject>

#include <optional>

class QAction;
class QMenu;

namespace rom {
class RomFile;
}

namespace app {

class FileSession;

// The menu entries that act on the open file's changes (Undo, Redo, History, Update ROM
// Checksum, Create Patch, Export and Import Tables) and their dialogs, all going through the
// file session. It keeps the entries enabled and captioned: after every change the session
// records, when the Edit menu opens and when the window becomes active, since another window
// may have changed the history.
class FileCommands : public QObject {
    Q_OBJECT
  public:
    FileCommands(EditorWindow& window, rom::RomFile& rom, FileSession& session);

    // Adds Create Patch, Export Tables and Import Tables to the File menu.
    void fillFileMenu(QMenu* menu);
    // Adds the Edit menu's entries to `menu`.
    void fillEditMenu(QMenu* menu);
    void updateEditMenu();

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Each acts on the entry its caption names, and only while that entry is still the one
    // to take back or put back; otherwise it refreshes the captions and says so.
    void undoApply();
    void redoApply();
    void showHistory();
    // The file as it was right after `chosen`, played in the emulator; the file is not written.
    void playVersion(const history::Entry& chosen);
    // Writes the complement and checksum that match the image, as one recorded change.
    void updateChecksum();
    void createPatch();
    void exportTables();
    // Every cell checked first; then the changed records as one recorded change.
    void importTables();

  signals:
    // The commands on the open file (patch, tables, history, play) may run, or not.
    void fileCommandsEnabled(bool enabled);

  private:
    bool ready();
    std::optional<history::Entry> namedEntry(bool undo, const QVariant& named);
    void step(bool undo);

    QWidget* dialogParent() const { return window_.widget(); }

    EditorWindow& window_;
    rom::RomFile& rom_;
    FileSession& session_;
    QAction* undoEntry_ = nullptr;
    QAction* redoEntry_ = nullptr;
    QAction* historyEntry_ = nullptr;
    QAction* checksumEntry_ = nullptr;
    QAction* createPatchEntry_ = nullptr;
    QAction* exportEntry_ = nullptr;
    QAction* importEntry_ = nullptr;
};

} // namespace app
