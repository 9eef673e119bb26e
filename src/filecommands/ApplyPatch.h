#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace rom {
class RomFile;
}

namespace app {

class FileSession;
class EditorWindow;

// File > Apply Patch...: a BPS, IPS or UPS patch read and applied in memory, shown in the
// pages' words, and written only when the user says so, as one recorded change through the
// same checks as every Apply, so that one Undo takes it back.
class ApplyPatch : public QObject {
    Q_OBJECT
  public:
    ApplyPatch(EditorWindow& window, rom::RomFile& rom, FileSession& session, QObject* parent);

    // Adds mnuApplyPatch to `menu`, disabled until the file commands are enabled.
    QAction* addEntry(QMenu* menu);
    void mnuApplyPatch_Click();

  private:
    EditorWindow& window_;
    rom::RomFile& rom_;
    FileSession& session_;
};

} // namespace app
