#include "gui/common/artwork.h"

#include <cmath>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace norvella {
namespace {

const QColor kInk(0x37, 0x47, 0x4F);
const QColor kTeal(0x00, 0x89, 0x7B);
const QColor kAmber(0xFF, 0xB3, 0x00);
const QColor kRed(0xE5, 0x39, 0x35);
const QColor kBlue(0x1E, 0x88, 0xE5);
const QColor kPaper(0xFF, 0xF8, 0xE7);

// An open book centred in a square of side s (in the painter's units).
void PaintOpenBook(QPainter& p, double s, const QColor& pages, const QColor& lines, bool ribbon) {
  const double cx = s / 2;
  const double top = s * 0.26;
  const double bottom = s * 0.78;
  QPainterPath left;
  left.moveTo(cx, top + s * 0.04);
  left.cubicTo(cx - s * 0.12, top - s * 0.03, cx - s * 0.28, top - s * 0.02, cx - s * 0.36, top + s * 0.02);
  left.lineTo(cx - s * 0.36, bottom - s * 0.03);
  left.cubicTo(cx - s * 0.26, bottom - s * 0.07, cx - s * 0.12, bottom - s * 0.06, cx, bottom);
  left.closeSubpath();
  QPainterPath right;
  right.moveTo(cx, top + s * 0.04);
  right.cubicTo(cx + s * 0.12, top - s * 0.03, cx + s * 0.28, top - s * 0.02, cx + s * 0.36, top + s * 0.02);
  right.lineTo(cx + s * 0.36, bottom - s * 0.03);
  right.cubicTo(cx + s * 0.26, bottom - s * 0.07, cx + s * 0.12, bottom - s * 0.06, cx, bottom);
  right.closeSubpath();

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawPath(left.translated(s * 0.01, s * 0.025));
  p.drawPath(right.translated(s * 0.01, s * 0.025));
  p.setBrush(pages);
  p.drawPath(left);
  p.setBrush(pages.darker(106));
  p.drawPath(right);

  // Lines of text on both pages.
  QPen pen(lines, s * 0.018, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  for (int i = 0; i < 6; ++i) {
    const double y = top + s * (0.10 + 0.065 * i);
    const double shorten = (i == 5) ? s * 0.08 : 0;
    p.drawLine(QPointF(cx - s * 0.30, y + s * 0.01), QPointF(cx - s * 0.06, y - s * 0.005));
    p.drawLine(QPointF(cx + s * 0.06, y - s * 0.005), QPointF(cx + s * 0.30 - shorten, y + s * 0.01));
  }
  if (ribbon) {
    QPainterPath tail;
    tail.moveTo(cx + s * 0.20, top - s * 0.005);
    tail.lineTo(cx + s * 0.27, top);
    tail.lineTo(cx + s * 0.27, top + s * 0.30);
    tail.lineTo(cx + s * 0.235, top + s * 0.26);
    tail.lineTo(cx + s * 0.20, top + s * 0.30);
    tail.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawPath(tail);
  }
}

void PaintAppIcon(QPainter& p, double s) {
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, s);
  sky.setColorAt(0, QColor(0x1F, 0x4E, 0x79));
  sky.setColorAt(1, QColor(0x0E, 0x7C, 0x86));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  const double inset = s * 0.04;
  p.drawRoundedRect(QRectF(inset, inset, s - 2 * inset, s - 2 * inset), s * 0.2, s * 0.2);
  QRadialGradient glow(s * 0.5, s * 0.45, s * 0.5);
  glow.setColorAt(0, QColor(255, 255, 255, 50));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(glow);
  p.drawRoundedRect(QRectF(inset, inset, s - 2 * inset, s - 2 * inset), s * 0.2, s * 0.2);
  p.save();
  p.translate(0, s * 0.03);
  PaintOpenBook(p, s, kPaper, QColor(0x90, 0xA4, 0xAE), true);
  p.restore();
}

// A sheet of paper with a folded corner, for the text-style glyphs.
void PaintSheet(QPainter& p) {
  QPainterPath sheet;
  sheet.moveTo(4.5, 2.5);
  sheet.lineTo(15.5, 2.5);
  sheet.lineTo(19.5, 6.5);
  sheet.lineTo(19.5, 21.5);
  sheet.lineTo(4.5, 21.5);
  sheet.closeSubpath();
  p.setPen(QPen(kInk, 1.0));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.setBrush(QColor(0xCF, 0xD8, 0xDC));
  p.drawPolygon(QPolygonF({QPointF(15.5, 2.5), QPointF(15.5, 6.5), QPointF(19.5, 6.5)}));
}

void Arrow(QPainter& p, bool forward, const QColor& colour) {
  QPainterPath path;
  if (forward) {
    path.moveTo(4, 10);
    path.lineTo(12, 10);
    path.lineTo(12, 5);
    path.lineTo(20, 12);
    path.lineTo(12, 19);
    path.lineTo(12, 14);
    path.lineTo(4, 14);
  } else {
    path.moveTo(20, 10);
    path.lineTo(12, 10);
    path.lineTo(12, 5);
    path.lineTo(4, 12);
    path.lineTo(12, 19);
    path.lineTo(12, 14);
    path.lineTo(20, 14);
  }
  path.closeSubpath();
  p.setPen(QPen(colour.darker(130), 1.0));
  p.setBrush(colour);
  p.drawPath(path);
}

void Magnifier(QPainter& p) {
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
  p.setPen(QPen(kInk, 1.6));
  p.setBrush(QColor(0xE3, 0xF2, 0xFD));
  p.drawEllipse(QPointF(10, 10), 6, 6);
}

void Floppy(QPainter& p, const QRectF& r) {
  const double u = r.width() / 18.0;
  p.setPen(QPen(kBlue.darker(140), 1.0));
  p.setBrush(kBlue);
  p.drawRoundedRect(r, 2 * u, 2 * u);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(r.left() + 3 * u, r.top() + 9.5 * u, 12 * u, 7 * u));
  p.setBrush(QColor(0xCF, 0xD8, 0xDC));
  p.drawRect(QRectF(r.left() + 4 * u, r.top() + 1.5 * u, 9 * u, 5 * u));
  p.setBrush(kInk);
  p.drawRect(QRectF(r.left() + 10 * u, r.top() + 2.2 * u, 2 * u, 3.6 * u));
}

void PaintGlyph(QPainter& p, Glyph glyph) {
  p.setRenderHint(QPainter::Antialiasing);
  switch (glyph) {
    case Glyph::Open: {
      p.setPen(QPen(QColor(0xC6, 0x8A, 0x00), 1.0));
      p.setBrush(QColor(0xFF, 0xCA, 0x28));
      p.drawRoundedRect(QRectF(2.5, 5.5, 8, 4), 1, 1);
      p.setBrush(kAmber);
      p.drawRoundedRect(QRectF(2.5, 7.5, 19, 13), 1.5, 1.5);
      p.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
      p.drawLine(QPointF(4, 10), QPointF(20, 10));
      break;
    }
    case Glyph::OpenForReading: {
      PaintOpenBook(p, 24, QColor(0xE3, 0xF2, 0xFD), kBlue, false);
      break;
    }
    case Glyph::Bookshelf: {
      const QColor spines[] = {kRed, kTeal, kBlue, kAmber};
      for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(spines[i].darker(140), 0.8));
        p.setBrush(spines[i]);
        const double h = (i % 2 == 0) ? 14 : 12;
        p.drawRoundedRect(QRectF(3.5 + i * 4.4, 19 - h, 3.6, h), 0.8, 0.8);
      }
      p.setPen(QPen(kInk, 1.6));
      p.drawLine(QPointF(2, 20), QPointF(22, 20));
      break;
    }
    case Glyph::Save:
      Floppy(p, QRectF(3, 3, 18, 18));
      break;
    case Glyph::SaveAndRead: {
      Floppy(p, QRectF(2, 2, 14, 14));
      p.save();
      p.translate(8, 9);
      p.scale(0.62, 0.62);
      PaintOpenBook(p, 24, kPaper, kTeal, false);
      p.restore();
      break;
    }
    case Glyph::Send: {
      p.save();
      p.translate(12, 12);
      p.rotate(45);
      // flame
      p.setPen(Qt::NoPen);
      p.setBrush(kAmber);
      p.drawPolygon(QPolygonF({QPointF(-2.5, 7), QPointF(0, 12), QPointF(2.5, 7)}));
      // fins
      p.setBrush(kRed);
      p.drawPolygon(QPolygonF({QPointF(-3, 2), QPointF(-6, 7), QPointF(-3, 6)}));
      p.drawPolygon(QPolygonF({QPointF(3, 2), QPointF(6, 7), QPointF(3, 6)}));
      // body
      QPainterPath body;
      body.moveTo(0, -10);
      body.cubicTo(4.5, -6, 4, 2, 3, 7);
      body.lineTo(-3, 7);
      body.cubicTo(-4, 2, -4.5, -6, 0, -10);
      p.setPen(QPen(kInk, 0.9));
      p.setBrush(QColor(0xEC, 0xEF, 0xF1));
      p.drawPath(body);
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(0, -3), 1.8, 1.8);
      p.restore();
      break;
    }
    case Glyph::Refresh: {
      p.setPen(QPen(kTeal, 2.4, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(5, 5, 14, 14), 30 * 16, 280 * 16);
      p.setPen(Qt::NoPen);
      p.setBrush(kTeal);
      p.drawPolygon(QPolygonF({QPointF(15.5, 2.5), QPointF(21, 7.5), QPointF(14, 9.5)}));
      break;
    }
    case Glyph::Autodetect: {
      p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 20), QPointF(14, 10));
      p.setPen(QPen(kAmber.darker(110), 2.4, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(14, 10), QPointF(16, 8));
      p.setPen(Qt::NoPen);
      p.setBrush(kAmber);
      auto star = [&](QPointF c, double r) {
        QPolygonF s;
        for (int i = 0; i < 8; ++i) {
          const double a = i * 3.14159265 / 4;
          const double rr = (i % 2 == 0) ? r : r * 0.35;
          s << QPointF(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        }
        p.drawPolygon(s);
      };
      star(QPointF(18, 5), 4);
      star(QPointF(10, 4), 2.2);
      star(QPointF(20, 13), 2.2);
      break;
    }
    case Glyph::FixedWidth: {
      PaintSheet(p);
      p.setPen(QPen(kInk, 1.2));
      for (int i = 0; i < 5; ++i) p.drawLine(QPointF(7, 8.5 + 2.6 * i), QPointF(16.5, 8.5 + 2.6 * i));
      p.setPen(QPen(kTeal, 1.2));
      p.drawLine(QPointF(17.5, 7), QPointF(17.5, 20));
      break;
    }
    case Glyph::LinePerParagraph: {
      PaintSheet(p);
      p.setPen(QPen(kInk, 1.2));
      p.drawLine(QPointF(9, 8.5), QPointF(17, 8.5));
      p.drawLine(QPointF(7, 11), QPointF(17, 11));
      p.drawLine(QPointF(7, 13.5), QPointF(13, 13.5));
      p.drawLine(QPointF(9, 17), QPointF(17, 17));
      p.drawLine(QPointF(7, 19.5), QPointF(15, 19.5));
      break;
    }
    case Glyph::HtmlBreaks: {
      p.setPen(QPen(QColor(0xEF, 0x6C, 0x00), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({QPointF(8, 6), QPointF(2.5, 12), QPointF(8, 18)}));
      p.drawPolyline(QPolygonF({QPointF(16, 6), QPointF(21.5, 12), QPointF(16, 18)}));
      p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(14, 4.5), QPointF(10, 19.5));
      break;
    }
    case Glyph::Back:
      Arrow(p, false, QColor(0x43, 0xA0, 0x47));
      break;
    case Glyph::Forward:
      Arrow(p, true, QColor(0x43, 0xA0, 0x47));
      break;
    case Glyph::Find:
      Magnifier(p);
      break;
    case Glyph::FindSelected: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xFF, 0xEB, 0x3B));
      p.drawRect(QRectF(2, 16, 12, 5));
      Magnifier(p);
      break;
    }
    case Glyph::Note: {
      QPainterPath note;
      note.moveTo(3.5, 3.5);
      note.lineTo(20.5, 3.5);
      note.lineTo(20.5, 15);
      note.lineTo(15, 20.5);
      note.lineTo(3.5, 20.5);
      note.closeSubpath();
      p.setPen(QPen(QColor(0xC6, 0x8A, 0x00), 1.0));
      p.setBrush(QColor(0xFF, 0xEE, 0x58));
      p.drawPath(note);
      p.setBrush(QColor(0xFB, 0xC0, 0x2D));
      p.drawPolygon(QPolygonF({QPointF(20.5, 15), QPointF(15, 15), QPointF(15, 20.5)}));
      p.setPen(QPen(kInk, 1.1));
      p.drawLine(QPointF(6.5, 8), QPointF(17.5, 8));
      p.drawLine(QPointF(6.5, 11), QPointF(17.5, 11));
      p.drawLine(QPointF(6.5, 14), QPointF(12.5, 14));
      break;
    }
    case Glyph::Bookmark: {
      QPainterPath ribbon;
      ribbon.moveTo(6.5, 2.5);
      ribbon.lineTo(17.5, 2.5);
      ribbon.lineTo(17.5, 21.5);
      ribbon.lineTo(12, 16.5);
      ribbon.lineTo(6.5, 21.5);
      ribbon.closeSubpath();
      p.setPen(QPen(kRed.darker(140), 1.0));
      p.setBrush(kRed);
      p.drawPath(ribbon);
      break;
    }
    case Glyph::Autoscroll: {
      p.setPen(QPen(kInk, 1.2));
      for (int i = 0; i < 4; ++i) p.drawLine(QPointF(3, 5 + 4 * i), QPointF(12, 5 + 4 * i));
      p.setPen(Qt::NoPen);
      p.setBrush(kTeal);
      p.drawRect(QRectF(15.5, 3, 3, 11));
      p.drawPolygon(QPolygonF({QPointF(12.5, 13), QPointF(21.5, 13), QPointF(17, 21)}));
      break;
    }
    case Glyph::Faster:
    case Glyph::Slower: {
      const bool faster = glyph == Glyph::Faster;
      p.setPen(QPen(kTeal, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      for (const double x : {5.0, 12.0}) {
        if (faster)
          p.drawPolyline(QPolygonF({QPointF(x, 6), QPointF(x + 6, 12), QPointF(x, 18)}));
        else
          p.drawPolyline(QPolygonF({QPointF(x + 6, 6), QPointF(x, 12), QPointF(x + 6, 18)}));
      }
      break;
    }
    case Glyph::FullScreen: {
      p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({QPointF(3, 9), QPointF(3, 3), QPointF(9, 3)}));
      p.drawPolyline(QPolygonF({QPointF(15, 3), QPointF(21, 3), QPointF(21, 9)}));
      p.drawPolyline(QPolygonF({QPointF(21, 15), QPointF(21, 21), QPointF(15, 21)}));
      p.drawPolyline(QPolygonF({QPointF(9, 21), QPointF(3, 21), QPointF(3, 15)}));
      break;
    }
  }
}

}  // namespace

QImage AppIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  PaintAppIcon(p, size);
  return image;
}

QIcon AppIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
  return icon;
}

QPixmap SplashPicture() {
  constexpr int kWidth = 467;
  constexpr int kHeight = 265;
  QPixmap picture(kWidth, kHeight);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, kWidth, kHeight);
  sky.setColorAt(0, QColor(0x16, 0x32, 0x4F));
  sky.setColorAt(1, QColor(0x0E, 0x6E, 0x78));
  p.fillRect(picture.rect(), sky);

  // Faint lines of text across the background, like a page seen closely.
  p.setPen(QPen(QColor(255, 255, 255, 18), 3, Qt::SolidLine, Qt::RoundCap));
  for (int y = 22; y < kHeight; y += 16) {
    const int end = kWidth - 20 - ((y * 37) % 90);
    p.drawLine(20, y, end, y);
  }

  p.save();
  p.translate(26, 58);
  PaintAppIcon(p, 150);
  p.restore();

  QFont title("DejaVu Serif");
  title.setPixelSize(50);
  title.setBold(true);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRectF(200, 62, 260, 64), Qt::AlignLeft | Qt::AlignVCenter, "Norvella");
  p.setPen(QPen(kAmber, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(203, 132), QPointF(300, 132));

  QFont line("DejaVu Sans");
  line.setPixelSize(15);
  p.setFont(line);
  p.setPen(QColor(0xDD, 0xEE, 0xF0));
  p.drawText(QRectF(202, 142, 260, 22), Qt::AlignLeft, "Plain-text books into clean e-books,");
  p.drawText(QRectF(202, 162, 260, 22), Qt::AlignLeft, "and a quiet place to read them.");

  QFont small("DejaVu Sans");
  small.setPixelSize(11);
  p.setFont(small);
  p.setPen(QColor(255, 255, 255, 150));
  p.drawText(QRectF(0, kHeight - 26, kWidth - 16, 18), Qt::AlignRight, "v1.00");
  return picture;
}

QIcon GlyphIcon(Glyph glyph) {
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.scale(size / 24.0, size / 24.0);
    PaintGlyph(p, glyph);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QIcon ToolbarIcon(const QString& themeName, Glyph fallback) {
  if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName)) return QIcon::fromTheme(themeName);
  return GlyphIcon(fallback);
}

}  // namespace norvella
