// Writes the application icon as a PNG file for the desktop's icon theme:
// norvella-artwork FILE SIZE

#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "gui/common/artwork.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: norvella-artwork FILE SIZE\n");
    return 2;
  }
  const int size = QByteArray(argv[2]).toInt();
  if (size < 8 || size > 1024 || !norvella::AppIconImage(size).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "norvella-artwork: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
