#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace rom {

// Puts `bytes` at `path` as a whole: written to a temporary file in the same folder, synced,
// and renamed over what was there. On any failure nothing at `path` changes, no temporary
// file stays behind, and the result gives the system's reason (a full disk included);
// empty when it worked.
QString replaceFile(const QString& path, const QByteArray& bytes);

// Seam for tests: when set, called before the rename; returning a message makes the
// replacement fail there with that message.
void setReplaceFault(std::function<QString()> fault);

} // namespace rom
