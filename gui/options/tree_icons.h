#pragma once

// The option tree's twelve pictures (on, off, the root, a document item,
// the groups and the font), drawn in code so that they stay sharp at small
// sizes and readable on light and dark backgrounds alike.

#include <QIcon>
#include <QImage>

namespace norvella {

// The picture of a tree icon index (0..11) at a square size.
QImage TreeIconImage(int index, int size);
// The same picture at the sizes a tree asks for; an unknown index gives an
// empty icon. Callers keep the icons they use.
QIcon TreeIcon(int index);

}  // namespace norvella
