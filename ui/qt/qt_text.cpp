#include "ui/qt/qt_text.hpp"

#include <QFile>

namespace fragtide::ui {

QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(const QString& text) {
    return text.toStdString();  // QString::toStdString is UTF-8
}

std::filesystem::path toPath(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    // Unix file names are bytes; encodeName gives the bytes the system expects for this name.
    const QByteArray bytes = QFile::encodeName(path);
    return std::filesystem::path(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
#endif
}

}  // namespace fragtide::ui
