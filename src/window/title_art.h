// The program's artwork, drawn rather than shipped: the title picture and the
// window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace window {

/// "Quillmark" on a quill stroke, for a screen of that device pixel ratio.
QPixmap TitleArt(qreal devicePixelRatio);
/// The windows' icon.
QIcon QuillmarkIcon();

}  // namespace window
