#include "window/face_cache.h"

#include <sys/stat.h>

#include <cstring>
#include <string>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "files/atomic_file.h"

namespace tess {

namespace {

constexpr char kMagic[] = "TESSALINE-FACES-1\n";
constexpr qsizetype kMagicSize = sizeof(kMagic) - 1;
constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

QByteArray Header(const QByteArray& key, QSize size, int count) {
    return kMagic + key + '\n' + QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) +
           ' ' + QByteArray::number(count) + '\n';
}

}  // namespace

QString FaceCacheFile(const QString& folder, qreal dpr) {
    return QDir(folder).filePath(QStringLiteral("faces-%1.bin").arg(qRound(dpr * 100)));
}

QByteArray FaceCacheKey() { return QByteArray(TESSALINE_ART_KEY) + '-' + qVersion(); }

std::optional<std::vector<QImage>> LoadFaceCache(const QString& path, const QByteArray& key, QSize size,
                                                 int count) {
    // Whatever else stands there (a pipe, a folder, a device or a link to one) is no cache.
    std::string bytes;
    if (ReadRegularFile(QFile::encodeName(path).toStdString(), kMaxFileSize, bytes) != 0) return std::nullopt;
    const QByteArrayView data(bytes);
    const QByteArray header = Header(key, size, count);
    const qsizetype pictureBytes = qsizetype{size.width()} * size.height() * 4;
    if (!data.startsWith(header) || data.size() != header.size() + pictureBytes * count) return std::nullopt;
    std::vector<QImage> pictures;
    pictures.reserve(count);
    const char* at = data.constData() + header.size();
    for (int i = 0; i < count; ++i, at += pictureBytes) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(image.scanLine(y), at + qsizetype{y} * size.width() * 4, size_t(size.width()) * 4);
        pictures.push_back(std::move(image));
    }
    return pictures;
}

bool SaveFaceCache(const QString& path, const QByteArray& key, const std::vector<QImage>& pictures) {
    if (pictures.empty()) return false;
    const QSize size = pictures.front().size();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    // Only a plain file of ours is replaced; anything else in its place is left alone.
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(Header(key, size, static_cast<int>(pictures.size())));
    for (const QImage& picture : pictures) {
        if (picture.size() != size) {
            file.cancelWriting();
            return false;
        }
        const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < size.height(); ++y)
            file.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), qsizetype{size.width()} * 4);
    }
    return file.commit();
}

}  // namespace tess
