// The main window: a multiple-document frame whose one child is the result
// window, with the title strip at the top, the command strip (Back, Exit and
// the branded-edition link) at the bottom and the menu bar.
//
// The layout rule of a resize is a pure function of four widths in twips
// (single precision, as the layout was designed), so that it can be checked
// without a screen.
#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace orvanta {

class FrmDisplay;
class HelpLinks;

struct MdiLayoutTwips {
  float displayLeft;  // result window, centred in the width of the area
  float exitLeft;     // 300 twips between Exit and the right edge
  float backLeft;     // 100 twips between Back and Exit
};

MdiLayoutTwips ComputeMdiLayout(float areaWidthTwips, float mainWidthTwips, float displayWidthTwips,
                                float exitWidthTwips);

class MdiWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MdiWindow(const HelpLinks& help, QWidget* parent = nullptr);

  FrmDisplay* display() const { return display_; }
  QMdiSubWindow* displayWindow() const { return displaySub_; }

  // Shows the window maximised, at least as large as the screen's free area.
  void OpenLarge();

  // Closes the window for Back: no Exit follows.
  void UnloadForBack();

  // Fills the area with the result window and places the two command
  // buttons for the current width.
  void LayoutForWidth();

 signals:
  void backRequested();
  void exitRequested();
  void aboutRequested();
  void manualRequested();
  // Tools > Settings…
  void settingsRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QWidget* BuildStrips();

  const HelpLinks& help_;
  QMdiArea* mdiArea_ = nullptr;
  FrmDisplay* display_ = nullptr;
  QMdiSubWindow* displaySub_ = nullptr;
  QWidget* picture1_ = nullptr;
  QPushButton* backButton_ = nullptr;
  QPushButton* exitButton_ = nullptr;
  QLabel* label10_ = nullptr;
  bool closingForBack_ = false;
};

}  // namespace orvanta
