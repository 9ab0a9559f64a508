#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <string_view>

namespace skerry::ui {

// Template files and container names are single-byte text. Latin-1 at the Qt boundary keeps
// every byte through a round trip.
inline QString FromBytes(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) {
    const QByteArray latin1 = text.toLatin1();
    return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

// File paths are in the file system's own encoding, not Latin-1.
inline std::string PathToBytes(const QString& path) {
    const QByteArray encoded = QFile::encodeName(path);
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

inline QString PathFromBytes(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

}  // namespace skerry::ui
