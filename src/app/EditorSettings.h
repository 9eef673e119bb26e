#pragma once

#include <QSettings>

namespace app {

// The editor's own settings store, $XDG_CONFIG_HOME/Quillmark/valdric-editor.ini: what the
// editor remembers for itself (recent files, window places, choices), apart from the three
// settings of the first-run check.
QSettings editorSettings();

} // namespace app
