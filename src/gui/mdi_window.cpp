#include "gui/mdi_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "gui/chart_view.h"
#include "gui/frm_display.h"
#include "gui/help_links.h"
#include "gui/ui_common.h"
#include "gui/view_settings.h"

namespace orvanta {
namespace {

// The View menu's actions, in kChartStyles order.
constexpr std::array<const char*, kChartStyles.size()> kStyleActionNames = {
    "mnuStyleSouth", "mnuStyleNorth", "mnuStyleEast"};

constexpr int kTitleStripHeightTwips = 795;
constexpr int kCommandStripHeightTwips = 585;
constexpr int kButtonTopTwips = 120;
constexpr int kButtonWidthTwips = 1335;
constexpr int kButtonHeightTwips = 400;
constexpr float kExitRightMarginTwips = 300.0f;
constexpr float kBackExitGapTwips = 100.0f;

int PxF(float twips) {
  return Px(static_cast<double>(twips));
}

}  // namespace

MdiLayoutTwips ComputeMdiLayout(float areaWidthTwips, float mainWidthTwips, float displayWidthTwips,
                                float exitWidthTwips) {
  MdiLayoutTwips layout{};
  // Centred, but never left of the area's edge: a window wider than the
  // room opens showing its left side rather than its middle.
  layout.displayLeft = std::max(0.0f, (areaWidthTwips - displayWidthTwips) / 2.0f);
  layout.exitLeft = mainWidthTwips - exitWidthTwips - kExitRightMarginTwips;
  // The width of Exit, not of Back, as designed (both are 1335 twips).
  layout.backLeft = layout.exitLeft - exitWidthTwips - kBackExitGapTwips;
  return layout;
}

MdiWindow::MdiWindow(const HelpLinks& help, QWidget* parent) : QMainWindow(parent), help_(help) {
  setObjectName(QStringLiteral("MDI"));
  setWindowTitle(ProgramTitle());
  setWindowIcon(ProgramIcon());
  BuildMenus();
  setCentralWidget(BuildStrips());

  // Loading the main window loads and shows the result window inside it.
  // The result window is built inside its child frame from the start: built
  // on its own and then moved in, its hundred-odd controls would all be
  // reparented and polished a second time.
  displaySub_ =
      new QMdiSubWindow(nullptr, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  displaySub_->setAttribute(Qt::WA_DeleteOnClose);
  mdiArea_->addSubWindow(displaySub_);
  display_ = new FrmDisplay(help_, displaySub_);
  display_->SetChartStyle(SavedChartStyle());
  display_->chartView()->SetSpecialLagnas(SavedSpecialLagnas());
  display_->SetNames(SavedNameChoice());
  displaySub_->setWidget(display_);
  displaySub_->setObjectName(QStringLiteral("frmDisplayWindow"));
  displaySub_->setWindowTitle(ProgramTitle());
  displaySub_->setWindowIcon(ProgramIcon());
  displaySub_->adjustSize();
  displaySub_->move(0, 0);
  display_->show();
  display_->BringChartToFront();
}

void MdiWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* back = NamedAction("mnuBack", QStringLiteral("&Back"), this);
  connect(back, &QAction::triggered, this, &MdiWindow::backRequested);
  file->addAction(back);
  QAction* exit = NamedAction("mnuExit", QStringLiteral("E&xit"), this);
  connect(exit, &QAction::triggered, this, &MdiWindow::exitRequested);
  file->addAction(exit);

  // The chart style, one of three, kept for the next start.
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->setObjectName(QStringLiteral("mnuView"));
  auto* styles = new QActionGroup(this);
  styles->setExclusive(true);
  const ChartStyle saved = SavedChartStyle();
  for (std::size_t i = 0; i < kChartStyles.size(); ++i) {
    const ChartStyle style = kChartStyles[i];
    const std::string_view caption = ChartStyleCaption(style);
    QAction* action =
        NamedAction(kStyleActionNames[i],
                    QStringLiteral("&") +
                        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                    this);
    action->setCheckable(true);
    action->setChecked(style == saved);
    styles->addAction(action);
    view->addAction(action);
    connect(action, &QAction::triggered, this, [this, style] {
      SaveChartStyle(style);
      if (display_ != nullptr) display_->SetChartStyle(style);
    });
  }
  // The special lagnas' marks in the drawings, kept for the next start.
  view->addSeparator();
  QAction* special = NamedAction("mnuSpecialLagnas", QStringLiteral("Special &Lagnas"), this);
  special->setCheckable(true);
  special->setChecked(SavedSpecialLagnas());
  view->addAction(special);
  connect(special, &QAction::toggled, this, [this](bool shown) {
    SaveSpecialLagnas(shown);
    if (display_ != nullptr) display_->chartView()->SetSpecialLagnas(shown);
  });
  // How the cells name the bodies, kept for the next start: by two-letter
  // labels, and with each body's degrees in its sign.
  const NameChoice savedNames = SavedNameChoice();
  QAction* twoLetter = NamedAction("mnuTwoLetterLabels", tr("&Two-Letter Labels"), this);
  twoLetter->setCheckable(true);
  twoLetter->setChecked(savedNames.twoLetterLabels);
  view->addAction(twoLetter);
  connect(twoLetter, &QAction::toggled, this, [this](bool shown) {
    SaveTwoLetterLabels(shown);
    if (display_ == nullptr) return;
    NameChoice names = display_->names();
    names.twoLetterLabels = shown;
    display_->SetNames(names);
  });
  QAction* degrees = NamedAction("mnuDegreesInCells", tr("&Degrees in Cells"), this);
  degrees->setCheckable(true);
  degrees->setChecked(savedNames.degreesInCells);
  view->addAction(degrees);
  connect(degrees, &QAction::toggled, this, [this](bool shown) {
    SaveDegreesInCells(shown);
    if (display_ == nullptr) return;
    NameChoice names = display_->names();
    names.degreesInCells = shown;
    display_->SetNames(names);
  });
  // Tools > Settings…: the calculation settings, for every chart from now on.
  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("mnuTools"));
  QAction* settings = NamedAction("mnuSettings", QStringLiteral("&Settings…"), this);
  connect(settings, &QAction::triggered, this, &MdiWindow::settingsRequested);
  tools->addAction(settings);

  AddHelpMenus(
      menuBar(), help_, {"mnuHelpSep1", "mnuHelpSep2", "mm"}, [this] { emit aboutRequested(); },
      [this] { emit manualRequested(); });
}

QWidget* MdiWindow::BuildStrips() {
  auto* central = new QWidget(this);

  auto* picTop = new QWidget(central);
  picTop->setObjectName(QStringLiteral("picTop"));
  picTop->setFixedHeight(Px(kTitleStripHeightTwips));
  picTop->setAutoFillBackground(true);
  QPalette topPalette = picTop->palette();
  topPalette.setColor(QPalette::Window, QColor(0x7A, 0x1E, 0x00));
  topPalette.setColor(QPalette::WindowText, QColor(0xFF, 0xD8, 0x6B));
  picTop->setPalette(topPalette);
  PlacedLabel(picTop, "Label2", QStringLiteral("Orvanta"), TwipRect(360, 120, 3660, 525),
              LabelFont(24, true));

  mdiArea_ = new QMdiArea(central);
  mdiArea_->setObjectName(QStringLiteral("mdiArea"));
  mdiArea_->viewport()->installEventFilter(this);
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  picture1_ = new QWidget(central);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  picture1_->setFixedHeight(Px(kCommandStripHeightTwips));
  backButton_ = new QPushButton(QStringLiteral("&Back"), picture1_);
  backButton_->setObjectName(QStringLiteral("cmdBack"));
  connect(backButton_, &QPushButton::clicked, this, &MdiWindow::backRequested);
  exitButton_ = new QPushButton(QStringLiteral("E&xit"), picture1_);
  exitButton_->setObjectName(QStringLiteral("cmdExit"));
  connect(exitButton_, &QPushButton::clicked, this, &MdiWindow::exitRequested);
  const QRect buttonRect = TwipRect(0, kButtonTopTwips, kButtonWidthTwips, kButtonHeightTwips);
  backButton_->setGeometry(buttonRect.translated(Px(9000), 0));
  exitButton_->setGeometry(buttonRect.translated(Px(10440), 0));

  auto* label10 = new LinkLabel(
      QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                     "online. Get this software fully branded for your website. Click here for "
                     "more details."),
      picture1_);
  label10->setObjectName(QStringLiteral("Label10"));
  label10->setWordWrap(true);
  label10->setFont([] {
    QFont f = LabelFont(10);
    f.setUnderline(true);
    return f;
  }());
  label10->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  connect(label10, &LinkLabel::clicked, this, [this] { help_.OpenFullBrandPage(); });
  label10_ = label10;

  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(picTop);
  layout->addWidget(mdiArea_, 1);
  layout->addWidget(picture1_);
  return central;
}

void MdiWindow::LayoutForWidth() {
  // The result window fills the area: its frame and caption just inside
  // the area's edges, its charts and texts laid out in the room it has.
  const QSize room = mdiArea_->viewport()->size();
  const MdiLayoutTwips layout = ComputeMdiLayout(
      static_cast<float>(Twips(room.width())), static_cast<float>(Twips(width())),
      static_cast<float>(Twips(room.width())), static_cast<float>(Twips(exitButton_->width())));
  displaySub_->setGeometry(PxF(layout.displayLeft), 0, room.width(), room.height());
  exitButton_->move(PxF(layout.exitLeft), exitButton_->y());
  backButton_->move(PxF(layout.backLeft), backButton_->y());
  // The link text fills the strip to the left of Back.
  const int linkLeft = Px(120);
  label10_->setGeometry(linkLeft, 0, std::max(0, backButton_->x() - Px(120) - linkLeft),
                        Px(kCommandStripHeightTwips));
}

void MdiWindow::OpenLarge() {
  if (const QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
  showMaximized();
  LayoutForWidth();
  // The result window opens at the top of the area, its left side in view.
  displaySub_->move(displaySub_->x(), 0);
  if (QScrollBar* bar = mdiArea_->horizontalScrollBar()) bar->setValue(bar->minimum());
  if (QScrollBar* bar = mdiArea_->verticalScrollBar()) bar->setValue(bar->minimum());
}

void MdiWindow::UnloadForBack() {
  closingForBack_ = true;
  close();
}

void MdiWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutForWidth();
}

bool MdiWindow::eventFilter(QObject* watched, QEvent* event) {
  // The area's room changes with the window and with its strips.
  if (watched == mdiArea_->viewport() && event->type() == QEvent::Resize &&
      displaySub_ != nullptr) {
    LayoutForWidth();
  }
  return QMainWindow::eventFilter(watched, event);
}

void MdiWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  // Closing the main window by its frame is Exit; Back closes it quietly.
  if (!closingForBack_) emit exitRequested();
}

}  // namespace orvanta
