#include "gui/ui_common.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <cmath>

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
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0xE0, 0x9A, 0x1B));
  painter.setPen(QPen(QColor(0x7A, 0x3E, 0x00), 3));
  painter.drawEllipse(QRectF(3, 3, 58, 58));
  painter.setPen(QColor(0x5A, 0x1E, 0x00));
  painter.setFont(LabelFont(26, true));
  painter.drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, QStringLiteral("IL"));
  painter.end();
  return QIcon(pixmap);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
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
