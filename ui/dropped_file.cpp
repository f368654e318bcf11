#include "ui/dropped_file.hpp"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace fragtide::ui {

std::optional<QString> droppedLogFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return std::nullopt;
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile())
        return std::nullopt;
    return url.toLocalFile();
}

}  // namespace fragtide::ui
