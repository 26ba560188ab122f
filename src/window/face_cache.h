// Rendered card pictures kept on disk between runs. Drawing the 52 faces from vectors
// is the largest part of start-up; reading them back is a small copy. A file belongs to
// one drawing of the cards and one pixel ratio: any other is ignored and replaced.
#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tess {

// The file for this pixel ratio in the given folder.
QString FaceCacheFile(const QString& folder, qreal dpr);

// What identifies the current drawing: it changes whenever the card art or Qt does.
QByteArray FaceCacheKey();

// The pictures stored under key, each of the given pixel size; nothing when the file is
// missing, damaged, of another size or of another drawing.
std::optional<std::vector<QImage>> LoadFaceCache(const QString& path, const QByteArray& key, QSize size,
                                                 int count);

// Stores the pictures (all of one size) atomically; false on any failure.
bool SaveFaceCache(const QString& path, const QByteArray& key, const std::vector<QImage>& pictures);

}  // namespace tess
