// Icons drawn with QPainter at every size a style asks for: add, change, delete, choose, the red check, the
// two check boxes, the sort directions, import and export, the base exchange rates (own, of the national
// bank, of the central bank of the euro area), the folder of lookup buttons and the activity switch.
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

// Three bars, longest on top for a falling order and at the bottom for a rising one, beside an arrow that
// points the way the values run.
void draw_order(QPainter& p, bool descending) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2b, 0x7b, 0xd6));
  for (int i = 0; i < 3; ++i) {
    const int length = descending ? 16 - 5 * i : 6 + 5 * i;
    p.drawRoundedRect(QRectF(14, 5 + 9 * i, length, 5), 1.5, 1.5);
  }
  p.setPen(stroke(QColor(0x30, 0x30, 0x30), 2.5));
  p.drawLine(QPointF(7, 5), QPointF(7, 27));
  QPainterPath head;
  if (descending) {
    head.moveTo(3, 22);
    head.lineTo(7, 27);
    head.lineTo(11, 22);
  } else {
    head.moveTo(3, 10);
    head.lineTo(7, 5);
    head.lineTo(11, 10);
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(head);
}

void draw_descending(QPainter& p) {
  draw_order(p, true);
}

void draw_ascending(QPainter& p) {
  draw_order(p, false);
}

// An open tray with an arrow going into it (import) or coming out of it (export).
void draw_transfer(QPainter& p, bool inward, const QColor& color) {
  p.setPen(stroke(QColor(0x50, 0x50, 0x50), 2.5));
  p.setBrush(QColor(0xe8, 0xe8, 0xe8));
  QPainterPath tray;
  tray.moveTo(4, 18);
  tray.lineTo(4, 28);
  tray.lineTo(28, 28);
  tray.lineTo(28, 18);
  p.drawPath(tray);
  p.setPen(stroke(color, 4));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(16, 3), QPointF(16, 21));
  QPainterPath head;
  if (inward) {
    head.moveTo(10, 15);
    head.lineTo(16, 21);
    head.lineTo(22, 15);
  } else {
    head.moveTo(10, 9);
    head.lineTo(16, 3);
    head.lineTo(22, 9);
  }
  p.drawPath(head);
}

void draw_import(QPainter& p) {
  draw_transfer(p, true, QColor(0x1e, 0x7a, 0x2e));
}

void draw_export(QPainter& p) {
  draw_transfer(p, false, QColor(0x15, 0x55, 0xa0));
}

// A coin with a rising line of rates across it.
void draw_rates(QPainter& p) {
  p.setPen(stroke(QColor(0x9a, 0x6a, 0x00), 1.5));
  p.setBrush(QColor(0xf2, 0xc2, 0x30));
  p.drawEllipse(QRectF(3, 3, 26, 26));
  p.setPen(stroke(QColor(0x30, 0x30, 0x30), 2.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath line;
  line.moveTo(7, 22);
  line.lineTo(13, 15);
  line.lineTo(18, 18);
  line.lineTo(25, 9);
  p.drawPath(line);
}

// The rates of a bank: the coin over a band of the bank's colours.
void draw_bank_rates(QPainter& p, const QColor& band, const QColor& mark) {
  draw_rates(p);
  p.setPen(Qt::NoPen);
  p.setBrush(band);
  p.drawRect(QRectF(2, 23, 28, 8));
  p.setBrush(mark);
  for (int i = 0; i < 3; ++i) p.drawEllipse(QRectF(8 + 6 * i, 25, 4, 4));
}

void draw_national_bank_rates(QPainter& p) {
  draw_bank_rates(p, QColor(0xc6, 0x28, 0x28), Qt::white);
}

void draw_euro_bank_rates(QPainter& p) {
  draw_bank_rates(p, QColor(0x10, 0x32, 0x99), QColor(0xff, 0xcc, 0x00));
}

void draw_folder(QPainter& p) {
  p.setPen(stroke(QColor(0x9a, 0x6a, 0x00), 1.5));
  p.setBrush(QColor(0xe0, 0xa8, 0x20));
  QPainterPath back;
  back.moveTo(3, 8);
  back.lineTo(12, 8);
  back.lineTo(15, 11);
  back.lineTo(29, 11);
  back.lineTo(29, 26);
  back.lineTo(3, 26);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(QColor(0xf6, 0xc8, 0x44));
  QPainterPath front;
  front.moveTo(3, 26);
  front.lineTo(7, 15);
  front.lineTo(31, 15);
  front.lineTo(29, 26);
  front.closeSubpath();
  p.drawPath(front);
}

// A switch turned on: what toggles a record between active and not.
void draw_activity(QPainter& p) {
  p.setPen(stroke(QColor(0x1e, 0x7a, 0x2e), 1.5));
  p.setBrush(QColor(0x3c, 0xb0, 0x4a));
  p.drawRoundedRect(QRectF(2, 9, 28, 14), 7, 7);
  p.setPen(stroke(QColor(0x50, 0x50, 0x50), 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(17, 10, 12, 12));
}

const std::map<std::string, Shape>& shapes() {
  static const std::map<std::string, Shape> all{
      {"dodaj2", draw_add},
      {"popraw2", draw_change},
      {"usun2", draw_delete},
      {"wybierz", draw_choose},
      {"32redchk", draw_red_check},
      {"boxon", draw_box_on},
      {"boxoff", draw_box},
      {"malejaco", draw_descending},
      {"rosnaco", draw_ascending},
      {"import", draw_import},
      {"export", draw_export},
      {"kursy_bazowe", draw_rates},
      {"kursy_bazowe_nbp", draw_national_bank_rates},
      {"kursy_bazowe_ecb", draw_euro_bank_rates},
      {"folder", draw_folder},
      {"aktywnosc", draw_activity},
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
