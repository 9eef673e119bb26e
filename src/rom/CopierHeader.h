#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace rom {

inline constexpr qint64 kRomImageSize = 4194304; // 4 MiB, the headerless image
inline constexpr qint64 kCopierHeaderSize = 512;
inline constexpr qint64 kHeaderedImageSize = kRomImageSize + kCopierHeaderSize;

// Only a file of exactly 4 MiB + 512 bytes is taken to carry a copier header.
bool hasCopierHeader(const QString& path);

// Replaces the file by a copy without its first 512 bytes (see rom::replaceFile); a
// headerless 4 MiB file is left alone. On any failure the file stays exactly as it was and
// `error` says why.
bool removeCopierHeader(const QString& path, QString* error);

// The image in the file at `path` without its copier header, read only: the file is left as
// it is. Nothing, with `why` set, for a file larger than a headered image or unreadable.
std::optional<QByteArray> readHeaderless(const QString& path, QString* why);

} // namespace rom
