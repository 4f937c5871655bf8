#include "gui/options/tree_icons.h"

#include <algorithm>

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include "core/ui/option_tree.h"

namespace norvella {
namespace {

// Colours with enough contrast on both a white and a near-black base: each
// picture is a filled shape with a darker outline, so neither background
// swallows it.
const QColor kOnFill(0x2E, 0x9D, 0x55);
const QColor kOnEdge(0x1B, 0x6B, 0x37);
const QColor kOffFill(0xF4, 0xF4, 0xF4);
const QColor kOffEdge(0x80, 0x80, 0x80);
const QColor kPaper(0xFF, 0xFC, 0xF2);
const QColor kPaperEdge(0x6D, 0x6A, 0x60);
const QColor kInk(0x37, 0x47, 0x4F);
const QColor kBlue(0x1E, 0x88, 0xE5);
const QColor kBlueEdge(0x12, 0x5A, 0x9C);
const QColor kAmber(0xF5, 0xA6, 0x23);
const QColor kAmberEdge(0xA8, 0x6B, 0x0C);
const QColor kViolet(0x8E, 0x5B, 0xD0);
const QColor kVioletEdge(0x5E, 0x35, 0x94);
const QColor kTeal(0x00, 0x96, 0x88);
const QColor kTealEdge(0x00, 0x64, 0x5A);
const QColor kRed(0xE0, 0x4F, 0x3F);
const QColor kRedEdge(0x99, 0x2C, 0x20);

QPen Edge(const QColor& colour, double width) {
  QPen pen(colour, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// A rounded tile that carries a letter or sign in white.
void Tile(QPainter& p, double s, const QColor& fill, const QColor& edge) {
  p.setPen(Edge(edge, s * 0.07));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(s * 0.09, s * 0.09, s * 0.82, s * 0.82), s * 0.2, s * 0.2);
}

void TileText(QPainter& p, double s, const QString& text, bool italic = false, double scale = 0.62) {
  QFont font("DejaVu Sans");
  font.setBold(true);
  font.setItalic(italic);
  font.setPixelSize(std::max(6, static_cast<int>(s * scale)));
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, text);
}

void PaintOn(QPainter& p, double s) {
  Tile(p, s, kOnFill, kOnEdge);
  QPainterPath tick;
  tick.moveTo(s * 0.27, s * 0.52);
  tick.lineTo(s * 0.44, s * 0.69);
  tick.lineTo(s * 0.74, s * 0.33);
  p.setPen(Edge(Qt::white, s * 0.13));
  p.setBrush(Qt::NoBrush);
  p.drawPath(tick);
}

void PaintOff(QPainter& p, double s) {
  Tile(p, s, kOffFill, kOffEdge);
}

void PaintPage(QPainter& p, double s) {
  QPainterPath page;
  page.moveTo(s * 0.2, s * 0.08);
  page.lineTo(s * 0.6, s * 0.08);
  page.lineTo(s * 0.82, s * 0.3);
  page.lineTo(s * 0.82, s * 0.92);
  page.lineTo(s * 0.2, s * 0.92);
  page.closeSubpath();
  p.setPen(Edge(kPaperEdge, s * 0.07));
  p.setBrush(kPaper);
  p.drawPath(page);
  QPainterPath fold;
  fold.moveTo(s * 0.6, s * 0.08);
  fold.lineTo(s * 0.6, s * 0.3);
  fold.lineTo(s * 0.82, s * 0.3);
  p.setBrush(Qt::NoBrush);
  p.drawPath(fold);
  p.setPen(Edge(kBlue, s * 0.07));
  for (int i = 0; i < 3; ++i) {
    const double y = s * (0.48 + 0.14 * i);
    p.drawLine(QPointF(s * 0.32, y), QPointF(s * (i == 2 ? 0.56 : 0.7), y));
  }
}

void PaintGear(QPainter& p, double s) {
  const QPointF centre(s / 2, s / 2);
  QPainterPath gear;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth; ++i) {
    const double a = i * 360.0 / kTeeth;
    QPainterPath tooth;
    tooth.addRect(QRectF(-s * 0.09, -s * 0.46, s * 0.18, s * 0.2));
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(a);
    gear = gear.united(turn.map(tooth));
  }
  QPainterPath body;
  body.addEllipse(centre, s * 0.32, s * 0.32);
  gear = gear.united(body);
  QPainterPath hole;
  hole.addEllipse(centre, s * 0.12, s * 0.12);
  gear = gear.subtracted(hole);
  p.setPen(Edge(kBlueEdge, s * 0.06));
  p.setBrush(kBlue);
  p.drawPath(gear);
}

void PaintTags(QPainter& p, double s) {
  Tile(p, s, kAmber, kAmberEdge);
  p.setPen(Edge(Qt::white, s * 0.1));
  p.setBrush(Qt::NoBrush);
  QPainterPath left;
  left.moveTo(s * 0.38, s * 0.3);
  left.lineTo(s * 0.22, s * 0.5);
  left.lineTo(s * 0.38, s * 0.7);
  QPainterPath right;
  right.moveTo(s * 0.62, s * 0.3);
  right.lineTo(s * 0.78, s * 0.5);
  right.lineTo(s * 0.62, s * 0.7);
  p.drawPath(left);
  p.drawPath(right);
  p.drawLine(QPointF(s * 0.55, s * 0.27), QPointF(s * 0.45, s * 0.73));
}

void PaintParagraphs(QPainter& p, double s) {
  Tile(p, s, kTeal, kTealEdge);
  p.setPen(Edge(Qt::white, s * 0.09));
  for (int i = 0; i < 4; ++i) {
    const double y = s * (0.3 + 0.135 * i);
    const double indent = (i == 0 || i == 2) ? s * 0.12 : 0;
    const double end = (i == 1 || i == 3) ? s * 0.58 : s * 0.74;
    p.drawLine(QPointF(s * 0.26 + indent, y), QPointF(end, y));
  }
}

void PaintGeneral(QPainter& p, double s) {
  Tile(p, s, kInk, kInk.darker(160));
  p.setPen(Edge(Qt::white, s * 0.07));
  const double xs[] = {0.32, 0.5, 0.68};
  const double knobs[] = {0.62, 0.38, 0.55};
  for (int i = 0; i < 3; ++i) {
    p.setPen(Edge(Qt::white, s * 0.07));
    p.drawLine(QPointF(s * xs[i], s * 0.25), QPointF(s * xs[i], s * 0.75));
    p.setPen(Edge(kInk.darker(160), s * 0.04));
    p.setBrush(kAmber);
    p.drawEllipse(QPointF(s * xs[i], s * knobs[i]), s * 0.085, s * 0.085);
  }
}

void PaintGlobe(QPainter& p, double s) {
  const QPointF c(s / 2, s / 2);
  const double r = s * 0.4;
  p.setPen(Edge(kBlueEdge, s * 0.07));
  p.setBrush(kBlue);
  p.drawEllipse(c, r, r);
  p.setPen(Edge(Qt::white, s * 0.055));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(c, r * 0.42, r * 0.98);
  p.drawLine(QPointF(c.x(), c.y() - r * 0.95), QPointF(c.x(), c.y() + r * 0.95));
  p.drawLine(QPointF(c.x() - r * 0.95, c.y()), QPointF(c.x() + r * 0.95, c.y()));
}

void PaintFolder(QPainter& p, double s) {
  QPainterPath folder;
  folder.moveTo(s * 0.1, s * 0.22);
  folder.lineTo(s * 0.4, s * 0.22);
  folder.lineTo(s * 0.48, s * 0.32);
  folder.lineTo(s * 0.9, s * 0.32);
  folder.lineTo(s * 0.9, s * 0.82);
  folder.lineTo(s * 0.1, s * 0.82);
  folder.closeSubpath();
  p.setPen(Edge(kAmberEdge, s * 0.07));
  p.setBrush(kAmber);
  p.drawPath(folder);
}

void Paint(QPainter& p, int index, double s) {
  switch (index) {
    case kTreeIconOff: PaintOff(p, s); break;
    case kTreeIconOn: PaintOn(p, s); break;
    case kTreeIconRoot: PaintGear(p, s); break;
    case kTreeIconDocument: PaintPage(p, s); break;
    case kTreeIconTranslation: PaintTags(p, s); break;
    case kTreeIconParagraphs: PaintParagraphs(p, s); break;
    case kTreeIconHeaders:
      Tile(p, s, kRed, kRedEdge);
      TileText(p, s, "H");
      break;
    case kTreeIconGeneral: PaintGeneral(p, s); break;
    case kTreeIconFont:
      Tile(p, s, kViolet, kVioletEdge);
      TileText(p, s, "A", false, 0.66);
      break;
    case kTreeIconSpare: PaintFolder(p, s); break;
    case kTreeIconFormatting:
      Tile(p, s, kTeal.darker(115), kTealEdge);
      TileText(p, s, "I", true, 0.66);
      break;
    case kTreeIconLanguage: PaintGlobe(p, s); break;
    default: break;
  }
}

}  // namespace

QImage TreeIconImage(int index, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  Paint(p, index, size);
  return image;
}

QIcon TreeIcon(int index) {
  QIcon icon;
  if (index < 0 || index >= kTreeIconCount) return icon;
  for (const int size : {16, 20, 24, 32, 48}) icon.addPixmap(QPixmap::fromImage(TreeIconImage(index, size)));
  return icon;
}

}  // namespace norvella
