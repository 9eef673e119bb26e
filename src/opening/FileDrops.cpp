#include "opening/FileDrops.h"

#include "ui/EditorWindow.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace app {
namespace {

QString firstLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir())
            return url.toLocalFile();
    }
    return QString();
}

} // namespace

FileDrops::FileDrops(EditorWindow& window) : QObject(window.widget()), window_(window) {
    // Drags over controls that take no drops of their own reach the window; the filter on
    // the application also sees those over controls that do, such as text boxes.
    window.widget()->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_.widget())
        return false;
    auto* drop = static_cast<QDropEvent*>(event); // the drag enter and move events are drops too
    const QString path = firstLocalFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    if (window_.isLoadingLists()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    // Opened once the drop has returned: the header message must not hold the drag's
    // source waiting for the end of the drop.
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(
            window_.widget(), [this, path] { window_.openRomPath(path); }, Qt::QueuedConnection);
    return true;
}

} // namespace app
