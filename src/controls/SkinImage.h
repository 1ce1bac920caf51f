// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>

namespace qm {

// The skin folder of the running program: every skin path is the program folder followed
// by the relative path a window quotes (mixed separators, "Skins" or "skins").
namespace Skins {
// The folder of the program file, ending with '/'.
void SetProgramFolder(const QString& folder);
QString ProgramFolder();
// The file a relative path names; empty when there is none.
QString Resolve(const QString& relative);
// The decoded image (premultiplied alpha); a null image when the file cannot be read.
// Decoded images are kept: drawing order and positions do not depend on it.
QImage Load(const QString& relative);
// Width and height of a skin image; 0 x 0 when it cannot be read.
QSize ImageSize(const QString& relative);
// The part `rect` of an image, at 1:1 (cut from the top-left corner when it is larger);
// areas outside the image stay transparent.
QImage Cut(const QImage& source, const QRect& rect);
}  // namespace Skins

// Draws a skin file at (x, y) in its natural size with its per-pixel alpha. Returns false,
// drawing nothing, when there is no painter or the file cannot be loaded.
bool DrawSkinImage(QPainter* painter, const QString& relative, int x, int y);

// Makes the images compiled into the program (":/skins/...") available.
void InitSkinResources();

}  // namespace qm
