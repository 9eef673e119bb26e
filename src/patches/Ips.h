#pragma once

#include <QByteArray>
#include <QString>

namespace patches {

// An IPS patch, or the reason the edit cannot be written as one.
struct IpsResult {
    QByteArray patch; // empty when error is set
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The classic IPS format: "PATCH", records of a 3-byte big-endian offset, a 2-byte
// big-endian length and that many target bytes, then "EOF". Each run of differing bytes
// becomes one record, split every 65,535 bytes; no run-length records are written. A record
// that would start at 0x454F46 (which reads as "EOF") starts one byte earlier. Refused: a
// target shorter than the source (IPS cannot shorten a file) and a change that would need a
// record past offset 0xFFFFFF.
IpsResult createIps(const QByteArray& source, const QByteArray& target);

} // namespace patches
