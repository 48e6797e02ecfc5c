#include "gui/ui_common.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <cmath>
#include <iterator>

namespace orvanta {

QString ProgramTitle() {
  return QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size()));
}

int Px(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

double Twips(int pixels) {
  return pixels * kTwipsPerPixel;
}

QRect TwipRect(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
  return QRect(Px(leftTwips), Px(topTwips), Px(widthTwips), Px(heightTwips));
}

QFont LabelFont(int pixelSize, bool bold) {
  static const QString family = QFontDatabase::families().contains(QStringLiteral("Verdana"))
                                    ? QStringLiteral("Verdana")
                                    : QStringLiteral("DejaVu Sans");
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QFont FixedPitchFont(int pixelSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (QFontDatabase::families().contains(QStringLiteral("DejaVu Sans Mono"))) {
    font.setFamily(QStringLiteral("DejaVu Sans Mono"));
  }
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(pixelSize);
  return font;
}

QIcon ProgramIcon() {
  // Drawn on the 128-unit grid of packaging/org.orvanta.Orvanta.svg.
  constexpr int kSize = 128;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x22, 0x2D, 0x66));
  painter.drawRoundedRect(QRectF(4, 4, 120, 120), 22, 22);
  QColor lit(0xE8, 0xA9, 0x3A);
  lit.setAlphaF(0.55f);
  painter.setBrush(lit);
  painter.drawRect(QRectF(42, 20, 22, 22));

  // The twelve sign cells around the open centre.
  QPen grid(QColor(0xF2, 0xC1, 0x4E), 3);
  grid.setCapStyle(Qt::SquareCap);
  painter.setPen(grid);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(20, 20, 88, 88));
  const QLineF lines[] = {{42, 20, 42, 108}, {86, 20, 86, 108}, {20, 42, 108, 42},
                          {20, 86, 108, 86}, {64, 20, 64, 42},  {64, 86, 64, 108},
                          {20, 64, 42, 64},  {86, 64, 108, 64}};
  painter.drawLines(lines, static_cast<int>(std::size(lines)));

  // The crescent: the Moon's disc less a slightly smaller, shifted disc.
  QPainterPath moon;
  moon.addEllipse(QPointF(64, 64), 17, 17);
  QPainterPath shadow;
  shadow.addEllipse(QPointF(71, 58), 14.5, 14.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xFB, 0xE7, 0xA8));
  painter.drawPath(moon.subtracted(shadow));
  painter.end();
  return QIcon(pixmap);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(0x00, 0x33, 0x99));
  setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
    event->accept();
    emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

void LinkLabel::SetOneLineText(const QString& text) {
  if (!cutting_) toolTip_ = toolTip();
  cutting_ = true;
  oneLine_ = text;
  ShowOneLine();
}

void LinkLabel::ShowOneLine() {
  if (!cutting_) return;
  const QString shown = fontMetrics().elidedText(oneLine_, Qt::ElideRight, contentsRect().width());
  setText(shown);
  if (shown == oneLine_) {
    setToolTip(toolTip_);
  } else {
    setToolTip(toolTip_.isEmpty() ? oneLine_ : oneLine_ + QLatin1Char('\n') + toolTip_);
  }
}

void LinkLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowOneLine();
}

void LinkLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.rect = rect().adjusted(0, 0, -1, -1);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

QLabel* PlacedLabel(QWidget* parent, const char* objectName, const QString& text, QRect geometry,
                    const QFont& font) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setTextFormat(Qt::PlainText);
  label->setFont(font);
  label->setGeometry(geometry);
  return label;
}

void SetCaption(QLabel* label, std::string_view caption) {
  const QString raw = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
  label->setProperty(kCaptionProperty, raw);
  QString shown = raw;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  label->setTextFormat(Qt::PlainText);
  label->setText(shown);
}

std::string CaptionOf(const QLabel* label) {
  return label->property(kCaptionProperty).toString().toStdString();
}

}  // namespace orvanta
