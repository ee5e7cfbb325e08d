// The program's artwork, drawn rather than shipped: the title picture and the
// window icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace window {

/// "Quillmark" on a quill stroke, for a screen of that device pixel ratio.
QPixmap TitleArt(qreal devicePixelRatio);
/// The picture of the Close all button: stacked windows with a cross, in the
/// palette's button text colour so that it reads on light and dark buttons.
QIcon CloseAllIcon();
/// The windows' icon.
QIcon QuillmarkIcon();

}  // namespace window
