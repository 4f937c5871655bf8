#pragma once

// The program's own pictures, drawn in code so that they scale and need no
// image files: the application icon, the splash picture and the toolbar
// icons used where the desktop's icon theme has none.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace norvella {

enum class Glyph {
  Open,
  OpenForReading,
  Bookshelf,
  Save,
  SaveAndRead,
  Send,
  Refresh,
  Autodetect,
  FixedWidth,
  LinePerParagraph,
  HtmlBreaks,
  Back,
  Forward,
  Find,
  FindSelected,
  Note,
  Bookmark,
  Autoscroll,
  Faster,
  Slower,
  FullScreen,
};

// The application icon at a square size, on a transparent background.
QImage AppIconImage(int size);
QIcon AppIcon();

// The splash picture: 467 x 265 pixels.
QPixmap SplashPicture();

// The desktop theme's icon of that name when it has one, else our own.
QIcon ToolbarIcon(const QString& themeName, Glyph fallback);
// Our own drawing of a toolbar glyph.
QIcon GlyphIcon(Glyph glyph);

}  // namespace norvella
