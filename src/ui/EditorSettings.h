#pragma once

#include <QSettings>

class QWidget;

namespace app {

// The editor's own settings store, $XDG_CONFIG_HOME/Quillmark/valdric-editor.ini: what the
// editor remembers for itself (recent files, window places, choices), apart from the three
// settings of the first-run check.
QSettings editorSettings();

// A window's size and place, kept in that store under its object name. Restoring gives it
// `defaultWidth` x `defaultHeight` when none is kept yet.
void restoreWindowGeometry(QWidget* window, int defaultWidth, int defaultHeight);
void saveWindowGeometry(const QWidget* window);

} // namespace app
