// Image inspection: the copier-header rule, the internal-header look, the checksum pair and
// name text. The first byte picks the file's size (the input's own, or one of the sizes the
// rules tell apart); in a file of 64 KiB or more the input goes where the internal header
// lies, so that every input is a header.
#include "Fuzz.h"

#include "rom/Commit.h"
#include "rom/CopierHeader.h"
#include "rom/NameText.h"
#include "rom/RomFile.h"
#include "rominfo/Checksum.h"
#include "rominfo/ImageCheck.h"

namespace {

constexpr qint64 kHeaderPlace = 0xFFC0;
constexpr qint64 kSizes[] = {0,
                             0x10000,
                             rom::kRomImageSize - 1,
                             rom::kRomImageSize,
                             rom::kHeaderedImageSize - 1,
                             rom::kHeaderedImageSize,
                             rom::kHeaderedImageSize + 1};

// Bytes `offset`.. of the file as written, zeros past its end.
int byteAt(const QByteArray& bytes, qint64 offset) {
    return offset < bytes.size() ? quint8(bytes[offset]) : 0;
}

void checkLook(const QString& path, const QByteArray& header, qint64 size, qint64 skip) {
    QString error;
    const std::optional<rominfo::ImageLook> look = rominfo::lookAtImage(path, &error);
    fuzz::require(look.has_value(), "a readable file is looked at");
    fuzz::require(look->fileSize == size && look->imageSize == size - skip, "sizes as the rule");
    fuzz::require(rom::hasCopierHeader(path) == (skip > 0), "the copier-header rule");
    fuzz::require(look->internalName.size() <= 21, "the name is at most 21 characters");
    for (const QChar c : look->internalName)
        fuzz::require(c.isPrint(), "the name shows only printable characters");
    // The pair as little-endian complement and checksum, when the file holds all four bytes.
    const qint64 pair = skip + 0xFFDC;
    const bool whole = pair + 4 <= size;
    const qint64 at = pair - skip - kHeaderPlace;
    const int complement = byteAt(header, at) | byteAt(header, at + 1) << 8;
    const int checksum = byteAt(header, at + 2) | byteAt(header, at + 3) << 8;
    const bool adds = whole && complement + checksum == 0xFFFF;
    fuzz::require(look->checksumPairAddsUp == adds, "the pair adds up as its bytes say");
    fuzz::require(look->looksLikeValdric() == (adds && size - skip == rom::kRomImageSize),
                  "looks like Valdric only as 4 MiB with a pair that adds up");
    fuzz::require(!rominfo::unfamiliarImageText(path, *look).isEmpty(), "a refusal is told");
}

// Putting the checksum spans in makes the pair match, and the look agree.
void checkChecksum(const QString& path) {
    rom::RomFile rom;
    fuzz::require(rom.open(path), "the file opens");
    const std::optional<QList<rom::Span>> spans = rominfo::checksumSpans(rom);
    fuzz::require(spans.has_value() == (rom.size() >= rominfo::kImageSize), "a pair for 4 MiB");
    if (!spans)
        return;
    fuzz::require(rom::commitSpans(rom, *spans) == rom::CommitResult::Written,
                  "the pair is written");
    fuzz::require(rominfo::checksumMatches(rom) == true, "the written pair matches");
    const std::optional<rominfo::ImageLook> look = rominfo::lookAtImage(path);
    fuzz::require(look && (look->checksumPairAddsUp || rom.size() == rom::kHeaderedImageSize),
                  "a matching pair adds up");
}

void checkNames(const QString& path, const QByteArray& bytes, qint64 offset, int length) {
    const QString text = rom::decodeNameText(bytes);
    fuzz::require(text.size() <= bytes.size(), "a name byte gives at most one character");
    for (const QChar c : text)
        fuzz::require(c.isLetter() || c == u' ' || c == u'\'', "names hold letters only");
    rom::RomFile rom;
    fuzz::require(rom.open(path), "the file opens");
    fuzz::require(rom::ReadNameText(rom, offset, length).size() <= std::max(length, 0),
                  "a name is no longer than its field");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const quint8 choice = input.byte();
    const qint64 nameOffset = qint64(input.number(4)) - 0x1000;
    const int nameLength = int(qint8(input.byte()));
    const QByteArray bytes = input.rest();
    const qint64 fileSize = kSizes[choice % std::size(kSizes)];
    if (fileSize == 0) { // the input is the whole file
        fuzz::MemoryFile file(bytes, bytes.size());
        checkLook(file.path(), bytes.mid(kHeaderPlace), bytes.size(), 0);
        checkNames(file.path(), bytes, nameOffset, nameLength);
        return 0;
    }
    const qint64 skip = fileSize == rom::kHeaderedImageSize ? rom::kCopierHeaderSize : 0;
    fuzz::MemoryFile file({}, fileSize);
    const QByteArray header = bytes.left(fileSize - skip - kHeaderPlace);
    file.write(skip + kHeaderPlace, header);
    checkLook(file.path(), header, fileSize, skip);
    checkNames(file.path(), bytes, nameOffset + skip + kHeaderPlace, nameLength);
    // Summing 4 MiB takes long: only for three choices, one of each size the pair rule tells
    // apart (64 KiB, a plain 4 MiB image, a headered one).
    if (choice == 0x86 || choice == 0x81 || choice == 0x83)
        checkChecksum(file.path());
    return 0;
}
