#pragma once

#include <QString>

#include <optional>

namespace rominfo {

// What can be told of a file before it is opened as a ROM image: its size once the copier
// header rule is applied, the internal name and whether the stored checksum and complement
// add up to 0xFFFF. Only the header's few bytes are read.
struct ImageLook {
    qint64 fileSize = 0;
    qint64 imageSize = 0; // without a copier header
    QString internalName;
    bool checksumPairAddsUp = false;

    // A 4 MiB image whose checksum pair adds up: this game's, as far as can be told.
    bool looksLikeValdric() const;
};

// Nothing when the path is no regular file that can be read (`error` says why).
std::optional<ImageLook> lookAtImage(const QString& path, QString* error = nullptr);

// "\"other.smc\" does not look like a ROM image of Valdric (1,048,576 bytes; internal name
// \"...\")."
QString unfamiliarImageText(const QString& path, const ImageLook& look);

} // namespace rominfo
