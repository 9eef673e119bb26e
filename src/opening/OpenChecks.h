#pragma once

#include <QString>

class QWidget;

namespace rom {
class RomFile;
}

namespace app {

// What happens to a chosen file before it is opened. A file that does not look like this
// game's image is opened only when the user says so; a headered image is made headerless
// on disk first, and if that fails the file is left as it was and not opened, so nothing is
// ever edited at the wrong offsets. `open` is the ROM open now: it is closed when it is this
// very file, whose handle would point at the replaced copy. True when the file may be opened.
bool prepareToOpen(QWidget* parent, const QString& path, rom::RomFile& open);

// A file that does not look like this game's image is used only when the user says so
// (Open Anyway). One that cannot be read is left to the caller to report.
bool acceptsImage(QWidget* parent, const QString& path);

} // namespace app
