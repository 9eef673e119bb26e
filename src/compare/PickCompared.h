#pragma once

#include "compare/CompareSession.h"

class QWidget;

namespace app {

// View > Compare With...: another image of the game or a BPS, IPS or UPS patch, applied in
// memory to `original` (the open file as it was before the changes made in this editor).
// The chosen file is only read. Nothing when the user cancels or the file cannot be used,
// which is told.
std::optional<ComparedFile> pickCompared(QWidget* parent, const QByteArray& open,
                                         const QByteArray& original);

// The image in `path` without a copier header, once the user accepts an unfamiliar one, when
// it is `size` bytes long as the open file is. Nothing when it cannot be used, which is told.
std::optional<QByteArray> readComparedImage(QWidget* parent, const QString& path, qsizetype size);

// The file dialog of the compare bar, in the folder last used.
QString askComparedFile(QWidget* parent, const QString& caption, bool patches);

} // namespace app
