#include "ui/qt/dropped_file.hpp"

#include <QMimeData>
#include <QUrl>

namespace fragtide::ui {

QStringList droppedPaths(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

}  // namespace fragtide::ui
