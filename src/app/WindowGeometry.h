#pragma once

class QWidget;

namespace app {

// A window's size and place, kept in the editor's own settings store under its object name.
// Restoring gives it `defaultWidth` x `defaultHeight` when none is kept yet.
void restoreWindowGeometry(QWidget* window, int defaultWidth, int defaultHeight);
void saveWindowGeometry(const QWidget* window);

} // namespace app
