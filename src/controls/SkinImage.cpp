// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SkinImage.h"

#include <QImageReader>

#include <QHash>
#include <QMutex>
#include <memory>

#include "platform/SkinPath.h"

static void InitSkinResourcesOutsideNamespace() {
    Q_INIT_RESOURCE(skins);
}

namespace qm {

void InitSkinResources() {
    InitSkinResourcesOutsideNamespace();
}

namespace {

struct SkinState {
    QMutex mutex;
    QString folder;
    std::unique_ptr<SkinPathResolver> resolver;
    QHash<QString, QImage> images;
};

SkinState& State() {
    static SkinState state;
    return state;
}

}  // namespace

namespace Skins {

void SetProgramFolder(const QString& folder) {
    SkinState& s = State();
    QMutexLocker lock(&s.mutex);
    s.folder = folder.endsWith('/') ? folder : folder + '/';
    s.resolver = std::make_unique<SkinPathResolver>(s.folder.toStdString());
    s.images.clear();
}

QString ProgramFolder() {
    SkinState& s = State();
    QMutexLocker lock(&s.mutex);
    return s.folder;
}

QString Resolve(const QString& relative) {
    SkinState& s = State();
    QMutexLocker lock(&s.mutex);
    if (!s.resolver) {
        return {};
    }
    return QString::fromStdString(s.resolver->Resolve(relative.toStdString()));
}

QImage Load(const QString& relative) {
    const QString path = relative.startsWith(":/") ? relative : Resolve(relative);
    if (path.isEmpty()) {
        return {};
    }
    SkinState& s = State();
    QMutexLocker lock(&s.mutex);
    auto it = s.images.find(path);
    if (it == s.images.end()) {
        QImage image(path);
        if (!image.isNull()) {
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        }
        it = s.images.insert(path, image);
    }
    return it.value();
}

QSize ImageSize(const QString& relative) {
    const QString path = relative.startsWith(":/") ? relative : Resolve(relative);
    if (path.isEmpty()) {
        return QSize(0, 0);
    }
    {
        SkinState& s = State();
        QMutexLocker lock(&s.mutex);
        if (const auto it = s.images.find(path); it != s.images.end()) {
            return it.value().isNull() ? QSize(0, 0) : it.value().size();
        }
    }
    // The file's header tells the size: nothing is decoded (a window's size is wanted at
    // start, its pictures only once it is drawn).
    QImageReader reader(path);
    const QSize size = reader.size();
    return size.isValid() && reader.canRead() ? size : QSize(0, 0);
}

QImage Cut(const QImage& source, const QRect& rect) {
    QImage part(rect.size(), QImage::Format_ARGB32_Premultiplied);
    part.fill(Qt::transparent);
    if (!source.isNull()) {
        QPainter p(&part);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), source, rect);
    }
    return part;
}

}  // namespace Skins

bool DrawSkinImage(QPainter* painter, const QString& relative, int x, int y) {
    if (painter == nullptr) {
        return false;
    }
    const QImage image = Skins::Load(relative);
    if (image.isNull()) {
        return false;
    }
    painter->drawImage(QPoint(x, y), image);
    return true;
}

}  // namespace qm
