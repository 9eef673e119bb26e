// The BPS, IPS and UPS readers. The first byte picks the source (the synthetic 4 MiB image
// or a 64 KiB piece of it) and whether IPS offsets move by a copier header; the rest is the
// patch. What must hold: a refusal has a reason, and a patched image has the source's size
// and nothing written past its end.
#include "Fuzz.h"

#include "patches/PatchReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t choice = input.byte();
    static const QByteArray small = fuzz::image().left(0x10000);
    const QByteArray& source = (choice & 1) ? fuzz::image() : small;
    const qint64 shift = (choice & 2) ? 512 : 0;
    const patches::Patched patched = patches::applyPatch(source, input.rest(), shift);
    if (!patched.ok()) {
        fuzz::require(!patched.reason.isEmpty(), "a refused patch names its reason");
        return 0;
    }
    fuzz::require(patched.image.size() == source.size(), "a patch keeps the image's size");
    // A write one byte past the end lands on the terminating zero, where ASan does not look.
    fuzz::require(patched.image.constData()[patched.image.size()] == '\0',
                  "a patch writes nothing past the image's end");
    return 0;
}
