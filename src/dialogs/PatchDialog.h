#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace app {

// Create Patch: a BPS or IPS patch that turns either the file as it was before the changes
// made in this editor, or an original ROM file, into the open file. Nothing is written to
// any ROM file, apart from the checksum when the user asks for it first.
class PatchDialog : public QDialog {
    Q_OBJECT
  public:
    struct Sources {
        QString openPath;                          // the open file
        std::function<QByteArray()> openFile;      // the open file's bytes
        std::function<QByteArray()> beforeChanges; // the same with every change taken back
        std::function<void()> updateChecksum;      // Edit > Update ROM Checksum
    };
    PatchDialog(QWidget* parent, Sources sources);

    // Where a patch of the ROM at `romPath` is proposed to go: beside it, named after it.
    static QString proposedPatchPath(const QString& romPath, bool bps);
    // `path`, with `extension` added when its name has none.
    static QString withExtension(const QString& path, const QString& extension);

  private:
    void PatchBrowseCMD_Click();
    void PatchCreateCMD_Click();
    std::optional<QByteArray> original();
    bool save(const QByteArray& patch, const QString& path);

    Sources sources_;
    QRadioButton* fromHistory_ = nullptr;
    QRadioButton* fromFile_ = nullptr;
    QLineEdit* originalPath_ = nullptr;
    QComboBox* format_ = nullptr;
    QCheckBox* checksumFirst_ = nullptr;
};

} // namespace app
