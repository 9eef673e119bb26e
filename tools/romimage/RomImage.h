#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// Synthetic ROM images of the layout the editor works on: invented names in the game's
// name text, plausible values in every table, a valid internal header, and seeded noise
// everywhere else so that a stray write anywhere shows up as a changed byte.
namespace synth {

inline constexpr qint64 kImageSize = 4194304;

struct ImageOptions {
    std::uint32_t seed = 1;
    QString internalName = QStringLiteral("VALDRIC TEST IMAGE");
};

QByteArray makeImage(const ImageOptions& options = {});
// The same image with a 512-byte copier header in front.
QByteArray withCopierHeader(const QByteArray& image, char fill = '\x55');

// The game's name text for `text`, padded with spaces (0xEF) to `length` bytes.
QByteArray encodeName(const QString& text, int length = 11);
// The invented names the generator gives item i and enemy i.
QString itemName(int index, std::uint32_t seed = 1);
QString enemyName(int index, std::uint32_t seed = 1);

void putByte(QByteArray& image, qint64 offset, std::uint8_t value);
void putInteger(QByteArray& image, qint64 offset, std::uint16_t value);

bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// Offsets at which two images differ (with the length difference counted as changes).
QList<qint64> changedOffsets(const QByteArray& before, const QByteArray& after);

} // namespace synth
