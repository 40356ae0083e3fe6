// The workbench's icons, drawn with QPainter rather than shipped as image files, so
// that every role, state and toolbar key has a glyph of its own at 16, 24 and 32
// pixels. Every shape is laid out on a 16-unit grid with outlines on half units, so
// the 16 and 32 pixel renderings stay crisp; fills are mid-tones ringed by a darker
// outline, which reads on light and dark themes alike.
#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygonF>
#include <QtMath>
#include <functional>
#include <vector>

namespace tarvelo {
namespace {

using Painter = std::function<void(QPainter&)>;

// Colours: a fill and the darker outline that rings it.
struct Ink {
  QColor fill;
  QColor line;
};

const QColor kSlate("#3b4654");
const Ink kPaper{QColor("#e4e9ef"), kSlate};
const Ink kDocumentPaper{QColor("#d3e3f6"), QColor("#2b4a72")};
const Ink kTemplatePaper{QColor("#ece3f4"), QColor("#4b3a63")};
const Ink kContentPaper{QColor("#f0e7c9"), QColor("#5e4f26")};
const Ink kBlue{QColor("#3f8ed8"), QColor("#1d4e86")};
const Ink kOrange{QColor("#e38a2c"), QColor("#7f450c")};
const Ink kLightOrange{QColor("#f2b66f"), QColor("#7f450c")};
const Ink kGreen{QColor("#46a04a"), QColor("#1c5e20")};
const Ink kRed{QColor("#dc4640"), QColor("#721813")};
const Ink kFolder{QColor("#e6b447"), QColor("#75540f")};
const Ink kFolderFront{QColor("#f3cd66"), QColor("#75540f")};
const Ink kGold{QColor("#f2c232"), QColor("#7f5d00")};
const Ink kTeal{QColor("#2a9d8f"), QColor("#0f4f48")};
const Ink kPurple{QColor("#7c54c8"), QColor("#39206b")};
const QColor kTextLine("#6a7482");
const QColor kHighlight("#f3f6f9");    // light strokes on dark badges
const QColor kMissingEdge("#cc4a44");  // mid-tone: the dashes read on any background

QPen Stroke(const QColor& colour, qreal width = 1.0) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QPen FlatStroke(const QColor& colour, qreal width = 1.0) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void Fill(QPainter& p, const QPainterPath& path, const Ink& ink, qreal width = 1.0) {
  p.setPen(Stroke(ink.line, width));
  p.setBrush(ink.fill);
  p.drawPath(path);
}

void FillRect(QPainter& p, const QRectF& rect, const Ink& ink) {
  QPainterPath path;
  path.addRect(rect);
  Fill(p, path, ink);
}

// A stroke in a mid-tone drawn over a wider one in its darker colour: a line that
// keeps its edge on any background.
void RingedStroke(QPainter& p, const QPainterPath& path, const Ink& ink, qreal width) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Stroke(ink.line, width + 1.2));
  p.drawPath(path);
  p.setPen(Stroke(ink.fill, width));
  p.drawPath(path);
}

QPainterPath Polyline(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path = Polyline(points);
  path.closeSubpath();
  return path;
}

// Digits 1 to 3 as strokes in a box, so they need no font.
QPainterPath Digit(int digit, const QRectF& box) {
  const qreal l = box.left(), r = box.right(), t = box.top(), b = box.bottom();
  const qreal mx = (l + r) / 2, my = (t + b) / 2;
  switch (digit) {
    case 1: {
      QPainterPath path = Polyline({{l + 0.3, t + 1}, {mx + 0.3, t}, {mx + 0.3, b}});
      path.moveTo(l + 0.3, b);
      path.lineTo(r - 0.3, b);
      return path;
    }
    case 2: {
      QPainterPath path;
      path.moveTo(l, t + 1);
      path.quadTo(l + 0.3, t, mx, t);
      path.quadTo(r, t, r, t + 1.3);
      path.quadTo(r, my - 0.3, mx, my + 0.5);
      path.lineTo(l, b);
      path.lineTo(r, b);
      return path;
    }
    default: {
      QPainterPath path;
      path.moveTo(l, t + 0.6);
      path.quadTo(mx - 0.5, t, mx, t);
      path.quadTo(r, t, r, t + (my - t) / 2);
      path.quadTo(r, my, mx - 0.4, my);
      path.moveTo(mx, my);
      path.quadTo(r, my, r, b - (b - my) / 2);
      path.quadTo(r, b, mx, b);
      path.quadTo(mx - 0.5, b, l, b - 0.6);
      return path;
    }
  }
}

// ---- Pages and the role glyphs ----

QPainterPath PagePath() {
  return Polygon({{2.5, 0.5}, {9.5, 0.5}, {13.5, 4.5}, {13.5, 15.5}, {2.5, 15.5}});
}

void DrawPageFill(QPainter& p, const Ink& ink) {
  p.setPen(Qt::NoPen);
  p.setBrush(ink.fill);
  p.drawPath(PagePath());
  p.setBrush(ink.fill.darker(118));
  p.drawPath(Polygon({{9.5, 0.5}, {9.5, 4.5}, {13.5, 4.5}}));
}

void DrawPageEdge(QPainter& p, const QPen& pen) {
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawPath(PagePath());
  p.drawPath(Polyline({{9.5, 0.5}, {9.5, 4.5}, {13.5, 4.5}}));
}

void DrawTextLines(QPainter& p, const QColor& colour, std::initializer_list<qreal> rows,
                   qreal left = 4, qreal right = 12) {
  p.setPen(FlatStroke(colour));
  for (qreal y : rows) p.drawLine(QPointF(left, y), QPointF(right, y));
}

const Ink& PaperOf(FileRole role) {
  switch (role) {
    case FileRole::kDocument:
      return kDocumentPaper;
    case FileRole::kTemplate:
      return kTemplatePaper;
    default:
      return kContentPaper;
  }
}

// What is written on the page: a web page, a layout, or lines of definitions.
void DrawPageInterior(QPainter& p, FileRole role) {
  switch (role) {
    case FileRole::kDocument:
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue.fill);
      p.drawRect(QRectF(4, 2, 5, 2));
      DrawTextLines(p, QColor("#54739a"), {6.5, 8.5, 10.5, 12.5});
      break;
    case FileRole::kTemplate:
      FillRect(p, QRectF(4.5, 2.5, 4, 2), kOrange);
      FillRect(p, QRectF(4.5, 6.5, 2, 7), kLightOrange);
      FillRect(p, QRectF(7.5, 6.5, 4, 7), kLightOrange);
      break;
    default:
      DrawTextLines(p, kTextLine, {2.5}, 4, 8);
      DrawTextLines(p, kTextLine, {5.5, 7.5, 9.5, 11.5});
      DrawTextLines(p, kTextLine, {13.5}, 4, 9);
      break;
  }
}

// The marker in the lower left corner that tells the kinds of Content Files apart.
void DrawRoleMarker(QPainter& p, FileRole role) {
  switch (role) {
    case FileRole::kGlobalContentFile: {
      QPainterPath globe;
      globe.addEllipse(QPointF(4.5, 11.5), 4, 4);
      Fill(p, globe, kBlue);
      QPainterPath grid;
      grid.addEllipse(QPointF(4.5, 11.5), 1.6, 3.4);
      grid.moveTo(1, 11.5);
      grid.lineTo(8, 11.5);
      p.setPen(Stroke(kHighlight, 0.8));
      p.setBrush(Qt::NoBrush);
      p.drawPath(grid);
      break;
    }
    case FileRole::kFolderGlobal:
      Fill(p, Polygon({{0.5, 15.5}, {0.5, 8.5}, {3.5, 8.5}, {4.5, 9.5}, {8.5, 9.5}, {8.5, 15.5}}),
           kFolder);
      Fill(p, Polygon({{0.5, 15.5}, {0.5, 11.5}, {8.5, 11.5}, {8.5, 15.5}}), kFolderFront);
      break;
    case FileRole::kProjectMacroFile: {
      QPolygonF star;
      for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? 4.6 : 2.0;
        const qreal angle = qDegreesToRadians(-90.0 + 36.0 * i);
        star << QPointF(4.5 + radius * qCos(angle), 11.6 + radius * qSin(angle));
      }
      QPainterPath outline;
      outline.addPolygon(star);
      outline.closeSubpath();
      Fill(p, outline, kGold);
      break;
    }
    default:
      break;
  }
}

// ---- State badges ----

void DrawLockBadge(QPainter& p) {
  QPainterPath shackle;
  shackle.moveTo(10.5, 12);
  shackle.lineTo(10.5, 10.5);
  shackle.arcTo(QRectF(10.5, 8.5, 4, 4), 180, -180);
  shackle.lineTo(14.5, 12);
  RingedStroke(p, shackle, {QColor("#a9b3be"), QColor("#39424d")}, 1.0);
  QPainterPath body;
  body.addRoundedRect(QRectF(9.5, 11.5, 6, 4), 0.8, 0.8);
  Fill(p, body, kGold);
  p.setPen(FlatStroke(kGold.line, 1));
  p.drawLine(QPointF(12.5, 12.6), QPointF(12.5, 14.4));
}

// A file found only under the default content root: a link arrow, like a shortcut.
void DrawLinkBadge(QPainter& p) {
  QPainterPath disc;
  disc.addEllipse(QPointF(3.5, 3.5), 3.4, 3.4);
  Fill(p, disc, kTeal);
  p.setPen(Stroke(kHighlight, 1.3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(Polyline({{2, 5}, {5, 2}}));
  p.drawPath(Polyline({{2.8, 2}, {5, 2}, {5, 4.2}}));
}

void DrawMissingBadge(QPainter& p) {
  QPainterPath cross = Polyline({{9.8, 9.8}, {14.8, 14.8}});
  cross.moveTo(14.8, 9.8);
  cross.lineTo(9.8, 14.8);
  RingedStroke(p, cross, kRed, 1.9);
}

void DrawOptimisationBadge(QPainter& p, int level) {
  QPainterPath badge;
  badge.addRoundedRect(QRectF(0.5, 7.5, 7, 8), 1.2, 1.2);
  Fill(p, badge, kPurple);
  p.setPen(Stroke(kHighlight, 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(Digit(level, QRectF(2.4, 9.4, 3.2, 4.4)));
}

void DrawStateIcon(QPainter& p, FileRole role, FileState state, int optimisation) {
  const bool missing = state == FileState::kMissing;
  // A missing file keeps its glyph, faded inside a dashed outline.
  p.save();
  if (missing) p.setOpacity(0.4);
  DrawPageFill(p, PaperOf(role));
  DrawPageInterior(p, role);
  p.restore();
  QPen edge = Stroke(missing ? kMissingEdge : PaperOf(role).line);
  if (missing) {
    edge.setCapStyle(Qt::FlatCap);
    edge.setDashPattern({2, 1});
  }
  DrawPageEdge(p, edge);

  p.save();
  if (missing) p.setOpacity(0.55);
  DrawRoleMarker(p, role);
  if (role == FileRole::kDocument && optimisation > 0) DrawOptimisationBadge(p, optimisation);
  p.restore();

  if (state == FileState::kUnderDefaultRoot || state == FileState::kReadOnlyUnderDefaultRoot) {
    DrawLinkBadge(p);
  }
  if (state == FileState::kReadOnly || state == FileState::kReadOnlyUnderDefaultRoot) {
    DrawLockBadge(p);
  }
  if (missing) DrawMissingBadge(p);
}

// ---- Toolbar glyphs ----

void DrawPlay(QPainter& p) {
  Fill(p, Polygon({{1.5, 1.5}, {12.5, 7.5}, {1.5, 13.5}}), kGreen);
}

void DrawSmallPage(QPainter& p, const QPointF& at, qreal w, qreal h) {
  const qreal x = at.x(), y = at.y(), fold = 1.5;
  Fill(p, Polygon({{x, y}, {x + w - fold, y}, {x + w, y + fold}, {x + w, y + h}, {x, y + h}}),
       kPaper);
}

void DrawSmallFolder(QPainter& p) {
  Fill(p, Polygon({{7.5, 15.5}, {7.5, 8.5}, {10.5, 8.5}, {11.5, 9.5}, {15.5, 9.5}, {15.5, 15.5}}),
       kFolder);
  Fill(p, Polygon({{7.5, 15.5}, {7.5, 11.5}, {15.5, 11.5}, {15.5, 15.5}}), kFolderFront);
}

void DrawGenerate(QPainter& p, int scope) {
  DrawPlay(p);
  switch (scope) {
    case 1:  // the whole Project: a stack of pages
      DrawSmallPage(p, {10.5, 7.5}, 5, 6);
      DrawSmallPage(p, {8.5, 9.5}, 5, 6);
      break;
    case 2:
      DrawSmallFolder(p);
      break;
    default:
      DrawSmallPage(p, {9.5, 8.5}, 6, 7);
      DrawTextLines(p, kTextLine, {11.5, 13.5}, 11, 14);
      break;
  }
}

void DrawStop(QPainter& p) {
  QPainterPath square;
  square.addRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
  Fill(p, square, kRed);
}

void DrawSearch(QPainter& p) {
  RingedStroke(p, Polyline({{10, 10}, {14, 14}}), {QColor("#b4834f"), QColor("#3f2d1b")}, 2.4);
  QPainterPath lens;
  lens.addEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  Fill(p, lens, {QColor("#bcdcf5"), QColor("#2f4a68")}, 1.4);
}

void DrawArrow(QPainter& p, qreal y, bool rightwards, const Ink& ink) {
  // Shaft 3 units high, head 7 units high, pointing right; mirrored for left.
  const qreal dir = rightwards ? 1 : -1, tip = rightwards ? 15 : 1, base = 8 - dir * 7;
  const qreal neck = tip - dir * 4.5;
  Fill(p,
       Polygon({{base, y - 1.5},
                {neck, y - 1.5},
                {neck, y - 3.5},
                {tip, y},
                {neck, y + 3.5},
                {neck, y + 1.5},
                {base, y + 1.5}}),
       ink);
}

void DrawReplace(QPainter& p) {
  DrawArrow(p, 4, true, kBlue);
  DrawArrow(p, 12, false, kOrange);
}

void DrawEditor(QPainter& p) {
  p.save();
  p.translate(8, 8);
  p.rotate(-45);
  const Ink wood{QColor("#f0d3a0"), kSlate};
  Fill(p, Polygon({{-9, 0}, {-5, -2.6}, {-5, 2.6}}), wood, 0.9);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#3d434b"));
  p.drawPath(Polygon({{-9, 0}, {-7.5, -1.0}, {-7.5, 1.0}}));
  Fill(p, Polygon({{-5, -2.6}, {4, -2.6}, {4, 2.6}, {-5, 2.6}}), {kGold.fill, kSlate}, 0.9);
  Fill(p, Polygon({{4, -2.6}, {5.5, -2.6}, {5.5, 2.6}, {4, 2.6}}), {QColor("#aeb6c0"), kSlate},
       0.9);
  QPainterPath eraser;
  eraser.addRoundedRect(QRectF(5.5, -2.6, 2.8, 5.2), 0.8, 0.8);
  Fill(p, eraser, {QColor("#e8899a"), kSlate}, 0.9);
  p.restore();
}

void DrawGlobe(QPainter& p) {
  QPainterPath globe;
  globe.addEllipse(QPointF(8, 8), 6.5, 6.5);
  Fill(p, globe, kBlue);
  QPainterPath grid;
  grid.addEllipse(QPointF(8, 8), 2.8, 6);
  grid.moveTo(2, 8);
  grid.lineTo(14, 8);
  grid.moveTo(3.2, 4.8);
  grid.lineTo(12.8, 4.8);
  grid.moveTo(3.2, 11.2);
  grid.lineTo(12.8, 11.2);
  p.setPen(Stroke(QColor("#d5e8fb"), 0.9));
  p.setBrush(Qt::NoBrush);
  p.drawPath(grid);
  p.setPen(Stroke(kBlue.line));
  p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
}

void DrawImage(QPainter& p) {
  const QRectF frame(1.5, 2.5, 13, 11);
  FillRect(p, frame, {QColor("#bfe0f7"), QColor("#2f4a68")});
  p.save();
  p.setClipRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold.fill);
  p.drawEllipse(QPointF(11, 5.8), 1.7, 1.7);
  p.setBrush(QColor("#4f9a4a"));
  p.drawPath(Polygon({{1, 14}, {6, 7}, {9.5, 11}, {11.5, 9}, {15, 14}}));
  p.restore();
  p.setPen(Stroke(QColor("#2f4a68")));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame);
}

void DrawXml(QPainter& p) {
  QPainterPath marks = Polyline({{5, 3.5}, {1.5, 8}, {5, 12.5}});
  marks.moveTo(11, 3.5);
  marks.lineTo(14.5, 8);
  marks.lineTo(11, 12.5);
  marks.moveTo(9.3, 3);
  marks.lineTo(6.7, 13);
  RingedStroke(p, marks, {QColor("#a06ad6"), QColor("#3e1f63")}, 1.6);
}

void DrawApplication(QPainter& p, int number) {
  QPainterPath window;
  window.addRoundedRect(QRectF(0.5, 1.5, 15, 13), 1, 1);
  Fill(p, window, kPaper);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#5b8fd0"));
  p.drawRect(QRectF(1, 2, 14, 2.5));
  p.setPen(FlatStroke(kSlate));
  p.drawLine(QPointF(1, 5), QPointF(15, 5));
  p.setPen(Stroke(QColor("#27313d"), 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(Digit(number, QRectF(5.6, 6.8, 4.8, 6)));
}

void DrawOpenFolder(QPainter& p) {
  Fill(p, Polygon({{1.5, 13.5}, {1.5, 2.5}, {5.5, 2.5}, {7, 4.5}, {13.5, 4.5}, {13.5, 13.5}}),
       kFolder);
  Fill(p, Polygon({{1.5, 13.5}, {4, 7.5}, {15.5, 7.5}, {13.5, 13.5}}), kFolderFront);
}

void DrawLog(QPainter& p) {
  DrawPageFill(p, kPaper);
  DrawPageEdge(p, Stroke(kPaper.line));
  const QColor marks[] = {kGreen.fill, kGold.line.lighter(170), kRed.fill};
  const qreal rows[] = {6.5, 9.5, 12.5};
  for (int i = 0; i < 3; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(marks[i]);
    p.drawRect(QRectF(4, rows[i] - 1, 2, 2));
    DrawTextLines(p, kTextLine, {rows[i]}, 7, i == 1 ? 10 : 12);
  }
  DrawTextLines(p, kTextLine, {2.5}, 4, 8);
}

// ---- Rendering and the cache ----

QPixmap Render(const QString& key, int size, const Painter& paint) {
  const QString cache_key = QStringLiteral("tarvelo/%1/%2").arg(key).arg(size);
  QPixmap pixmap;
  if (QPixmapCache::find(cache_key, &pixmap)) return pixmap;
  pixmap = QPixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  paint(painter);
  painter.end();
  QPixmapCache::insert(cache_key, pixmap);
  return pixmap;
}

QIcon MakeIcon(const QString& key, std::initializer_list<int> sizes, const Painter& paint) {
  QIcon icon;
  for (int size : sizes) icon.addPixmap(Render(key, size, paint));
  return icon;
}

struct ToolbarGlyph {
  QString key;
  Painter paint;
};

// In toolbar order.
const std::vector<ToolbarGlyph>& ToolbarGlyphs() {
  static const std::vector<ToolbarGlyph> glyphs = {
      {"Generate", [](QPainter& p) { DrawGenerate(p, 1); }},
      {"GenerateFolder", [](QPainter& p) { DrawGenerate(p, 2); }},
      {"GenerateDocument", [](QPainter& p) { DrawGenerate(p, 3); }},
      {"Stop", DrawStop},
      {"Search", DrawSearch},
      {"Replace", DrawReplace},
      {"Editor", DrawEditor},
      {"Browser", DrawGlobe},
      {"ImageEditor", DrawImage},
      {"XMLEditor", DrawXml},
      {"CustomApplication", [](QPainter& p) { DrawApplication(p, 1); }},
      {"CustomApplication2", [](QPainter& p) { DrawApplication(p, 2); }},
      {"CustomApplication3", [](QPainter& p) { DrawApplication(p, 3); }},
      {"BrowseFolder1", DrawOpenFolder},
      {"Log", DrawLog},
  };
  return glyphs;
}

}  // namespace

QIcon StateIcon(FileRole role, FileState state, Int16 optimisation) {
  const int level =
      (role == FileRole::kDocument && (optimisation == 1 || optimisation == 2)) ? optimisation : 0;
  const QString key = QStringLiteral("state/%1/%2/%3")
                          .arg(static_cast<int>(role))
                          .arg(static_cast<int>(state))
                          .arg(level);
  return MakeIcon(key, {16, 32}, [=](QPainter& p) { DrawStateIcon(p, role, state, level); });
}

QIcon ToolbarIcon(const QString& key) {
  for (const ToolbarGlyph& glyph : ToolbarGlyphs()) {
    if (glyph.key == key)
      return MakeIcon(QStringLiteral("toolbar/") + key, {16, 24, 32}, glyph.paint);
  }
  return QIcon();
}

QStringList ToolbarIconKeys() {
  QStringList keys;
  for (const ToolbarGlyph& glyph : ToolbarGlyphs()) keys << glyph.key;
  return keys;
}

}  // namespace tarvelo
