#include "cli/HeadlessFile.h"

#include "history/WriteAhead.h"
#include "rom/CopierHeader.h"
#include "rominfo/ImageCheck.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace app {

void tell(const QString& message) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
}

int fail(const QString& message) {
    tell(message);
    return kCommandFailed;
}

HeadlessFile::HeadlessFile(QString path, bool force) : path_(std::move(path)), force_(force) {}

bool HeadlessFile::looksUsable() {
    QString why;
    const std::optional<rominfo::ImageLook> look = rominfo::lookAtImage(path_, &why);
    if (!look) {
        fail(QStringLiteral("\"%1\" could not be opened: %2").arg(path_, why));
        return false;
    }
    if (!force_ && !look->looksLikeValdric()) {
        fail(rominfo::unfamiliarImageText(path_, *look) +
             QStringLiteral(" Give --force to use it anyway. Nothing was changed."));
        return false;
    }
    // What --force still refuses: a file too large to be read whole.
    if (look->fileSize > rom::kHeaderedImageSize) {
        fail(QStringLiteral("\"%1\" is larger than an image of Valdric; nothing was done.")
                 .arg(path_));
        return false;
    }
    return true;
}

std::optional<QByteArray> HeadlessFile::read() {
    if (!looksUsable())
        return std::nullopt;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("\"%1\" could not be opened: %2").arg(path_, file.errorString()));
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    return bytes.size() == rom::kHeaderedImageSize ? bytes.mid(rom::kCopierHeaderSize) : bytes;
}

bool HeadlessFile::open() {
    if (!looksUsable())
        return false;
    if (rom::hasCopierHeader(path_)) {
        fail(QStringLiteral("\"%1\" has a 512-byte copier header; open it once in the editor to "
                            "remove it. Nothing was changed.")
                 .arg(path_));
        return false;
    }
    QString error;
    if (!rom_.open(path_, &error)) {
        fail(QStringLiteral("\"%1\" could not be opened: %2").arg(path_, error));
        return false;
    }
    canonical_ = QFileInfo(path_).canonicalFilePath();
    for (const history::RecordRef& record : history_.settleAll(canonical_, rom_))
        tell(QStringLiteral("A change to %1 was cut short when the editor ended; the part that "
                            "reached the file is kept in the history.")
                 .arg(record.label()));
    return true;
}

QByteArray HeadlessFile::image() const {
    return rom_.readBytes(0, rom_.size());
}

bool HeadlessFile::write(const history::RecordRef& record, const QList<rom::Span>& spans,
                         const QString& what) {
    const history::Written written = history::writeApply(history_, rom_, canonical_, record, spans);
    if (written.result != rom::CommitResult::Written) {
        fail(QStringLiteral("\"%1\" could not be written: %2 What reached the file is in the "
                            "history, where Undo takes it back.")
                 .arg(path_, rom_.errorString()));
        return false;
    }
    if (written.unrecorded)
        tell(QStringLiteral("%1 cannot be undone: the history of changes could not record it (%2).")
                 .arg(what, history_.problem()));
    return true;
}

} // namespace app
