// Shared pieces of the desktop program's windows: the program title, the
// conversion of the design's twip positions to device-independent pixels,
// the fonts, the clickable link label and the caption helper that keeps a
// core caption unchanged while showing it legibly.
#pragma once

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QRect>
#include <QString>
#include <string_view>

#include "version.h"

namespace orvanta {

// The windows were laid out in twips; at 96 dpi one pixel is 15 twips. Qt's
// device-independent pixels then scale the layout on high-density screens.
inline constexpr double kTwipsPerPixel = 15.0;

QString ProgramTitle();

// A core text (UTF-8) as a Qt string.
inline QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Twips to device-independent pixels, rounded to the nearest pixel.
int Px(double twips);
double Twips(int pixels);
QRect TwipRect(int leftTwips, int topTwips, int widthTwips, int heightTwips);

// The labels' sans serif (Verdana where installed, DejaVu Sans otherwise) and
// the fixed-pitch face of the house numbers, sized in pixels so that text and
// twip positions scale together.
QFont LabelFont(int pixelSize = 11, bool bold = false);
QFont FixedPitchFont(int pixelSize = 11);

// The program's icon, drawn rather than loaded: the same design as the
// installed scalable icon, without needing Qt's SVG support.
QIcon ProgramIcon();

// A label that acts as a web link: underlined, hand cursor, clicked() on a
// left-button release inside it. It takes the focus by Tab, shows it with a
// focus frame, and Enter or Space open it as a click does.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QWidget* parent);

  // Shows `text` on one line, cut with "…" where the label is too narrow
  // for it; the whole text is then the label's tool tip.
  void SetOneLineText(const QString& text);
  const QString& oneLineText() const { return oneLine_; }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowOneLine();
  QString oneLine_;
  QString toolTip_;  // the tool tip set before the text was cut
  bool cutting_ = false;
};

// A plain-text label with the given name and font, placed in twips.
QLabel* PlacedLabel(QWidget* parent, const char* objectName, const QString& text, QRect geometry,
                    const QFont& font);

// Name of the dynamic property that holds a caption exactly as the core
// produced it (carriage returns included).
inline constexpr char kCaptionProperty[] = "caption";

// Writes a caption produced by the core: the property keeps it unchanged and
// the label shows it with line feeds only (a carriage return is not a line
// break on screen). Rich text is never interpreted: the texts come from the
// user's typing.
void SetCaption(QLabel* label, std::string_view caption);

// The caption as written by SetCaption, as UTF-8.
std::string CaptionOf(const QLabel* label);

}  // namespace orvanta
