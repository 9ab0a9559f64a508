#pragma once

#include <QFile>
#include <QString>
#include <QStringDecoder>
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

// A message of the core's: UTF-8 where it names a path with letters outside ASCII, and the
// single-byte text of the files where it quotes them. Whichever reads whole wins.
inline QString FromMessage(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded =
        utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? FromBytes(text) : decoded;
}

// Paths are held as UTF-8 in the core (common/file_path.hpp makes them paths). On Linux that is
// the file system's own encoding, so each name keeps its bytes; on Windows Qt's 8-bit
// encoding would be the ANSI code page, which has no room for most of the world's letters.
inline std::string PathToBytes(const QString& path) {
#ifdef _WIN32
    const QByteArray encoded = path.toUtf8();
#else
    const QByteArray encoded = QFile::encodeName(path);
#endif
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

inline QString PathFromBytes(std::string_view path) {
#ifdef _WIN32
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
#else
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
#endif
}

}  // namespace skerry::ui
