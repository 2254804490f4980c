// Icons drawn with QPainter at every size a style asks for: add, change, delete, choose, the red check
// and the two check boxes.
#include "ui_qt/icons.h"

#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

#include "runtime/text.h"

namespace ui_qt {
namespace {

// Every shape is drawn on a 32 x 32 grid and scaled to the requested rectangle.
using Shape = void (*)(QPainter&);

QPen stroke(const QColor& color, double width) {
  return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void draw_add(QPainter& p) {
  p.setPen(stroke(QColor(0x1e, 0x7a, 0x2e), 1.5));
  p.setBrush(QColor(0x3c, 0xb0, 0x4a));
  p.drawEllipse(QRectF(2, 2, 28, 28));
  p.setPen(stroke(Qt::white, 5));
  p.drawLine(QPointF(16, 9), QPointF(16, 23));
  p.drawLine(QPointF(9, 16), QPointF(23, 16));
}

void draw_change(QPainter& p) {
  QPainterPath body;
  body.moveTo(8, 20);
  body.lineTo(22, 6);
  body.lineTo(26, 10);
  body.lineTo(12, 24);
  body.closeSubpath();
  p.setPen(stroke(QColor(0x8a, 0x5a, 0x00), 1.5));
  p.setBrush(QColor(0xf2, 0xb6, 0x1b));
  p.drawPath(body);
  QPainterPath tip;
  tip.moveTo(8, 20);
  tip.lineTo(12, 24);
  tip.lineTo(5, 27);
  tip.closeSubpath();
  p.setBrush(QColor(0x40, 0x40, 0x40));
  p.drawPath(tip);
}

void draw_delete(QPainter& p) {
  p.setPen(stroke(QColor(0xc6, 0x28, 0x28), 6));
  p.drawLine(QPointF(7, 7), QPointF(25, 25));
  p.drawLine(QPointF(25, 7), QPointF(7, 25));
}

void draw_check(QPainter& p, const QColor& color) {
  p.setPen(stroke(color, 5));
  p.setBrush(Qt::NoBrush);
  QPainterPath mark;
  mark.moveTo(6, 17);
  mark.lineTo(13, 24);
  mark.lineTo(26, 8);
  p.drawPath(mark);
}

void draw_choose(QPainter& p) {
  p.setPen(stroke(QColor(0x15, 0x55, 0xa0), 1.5));
  p.setBrush(QColor(0x2b, 0x7b, 0xd6));
  p.drawEllipse(QRectF(2, 2, 28, 28));
  p.setPen(stroke(Qt::white, 4));
  QPainterPath mark;
  mark.moveTo(9, 16);
  mark.lineTo(14, 21);
  mark.lineTo(23, 11);
  p.drawPath(mark);
}

void draw_red_check(QPainter& p) {
  draw_check(p, QColor(0xd0, 0x1c, 0x1c));
}

void draw_box(QPainter& p) {
  p.setPen(stroke(QColor(0x50, 0x50, 0x50), 2));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(5, 5, 22, 22), 3, 3);
}

void draw_box_on(QPainter& p) {
  draw_box(p);
  p.setPen(stroke(QColor(0x1e, 0x7a, 0x2e), 3.5));
  QPainterPath mark;
  mark.moveTo(9, 16);
  mark.lineTo(14, 21);
  mark.lineTo(23, 10);
  p.drawPath(mark);
}

const std::map<std::string, Shape>& shapes() {
  static const std::map<std::string, Shape> all{
      {"dodaj2", draw_add},     {"popraw2", draw_change},     {"usun2", draw_delete},
      {"wybierz", draw_choose}, {"32redchk", draw_red_check}, {"boxon", draw_box_on},
      {"boxoff", draw_box},
  };
  return all;
}

// Paints the shape afresh at each size, so that menus, toolbars and high-density screens get sharp lines.
class ShapeEngine : public QIconEngine {
 public:
  explicit ShapeEngine(Shape shape) : shape_(shape) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 32.0, rect.height() / 32.0);
    if (mode == QIcon::Disabled) painter->setOpacity(0.4);
    shape_(*painter);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap out(size);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return out;
  }

  QIconEngine* clone() const override { return new ShapeEngine(shape_); }

 private:
  Shape shape_;
};

}  // namespace

std::string icon_key(std::string_view resource_name) {
  std::string_view name = runtime::trim(resource_name);
  if (!name.empty() && name.front() == '~') name.remove_prefix(1);
  const auto dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return runtime::to_lower(name);
}

QIcon program_icon(std::string_view resource_name) {
  const auto found = shapes().find(icon_key(resource_name));
  if (found == shapes().end()) return QIcon();
  return QIcon(new ShapeEngine(found->second));
}

std::vector<std::string> icon_keys() {
  std::vector<std::string> keys;
  for (const auto& [key, shape] : shapes()) keys.push_back(key);
  return keys;
}

}  // namespace ui_qt
