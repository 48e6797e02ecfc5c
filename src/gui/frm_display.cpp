#include "gui/frm_display.h"

#include <QAbstractTextDocumentLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>
#include <utility>

#include "chart/chart_text.h"
#include "chart/explanation.h"
#include "chart/presentation.h"
#include "chart/wealth_chart.h"
#include "dasha/vimshottari.h"
#include "gui/chart_view.h"
#include "gui/dasha_page.h"
#include "gui/help_links.h"
#include "gui/ui_common.h"
#include "gui/wealth_page.h"

namespace orvanta {
namespace {

constexpr int kTextPx = 11;     // 8-point labels at 96 dpi
constexpr int kCaptionPx = 10;  // the details' captions
constexpr int kHeadingPx = 15;
constexpr int kHeadlinePx = 16;

// The window's size before its parent gives it one: a laptop screen's main
// window.
constexpr QSize kStartSize(1280, 720);

// Room between the parts of a tab and inside the frames.
constexpr int kSpacingPx = 6;
constexpr int kFramePadPx = 6;
// Between the drawing and the forum link under it.
constexpr int kChartBoxSpacingPx = 2;
// The caption of the charts' frame.
constexpr std::string_view kChartFrameCaption = "Hora";
// The details' values stand in a column this wide; longer texts the user
// typed end in an ellipsis.
constexpr int kDetailValuePx = 150;
// The time zone's line wraps over up to this many lines.
constexpr int kClockRows = 3;
// The narrowest the explanation's lines read well at.
constexpr int kExplanationLeastPx = 300;

// Object names of the detail labels, in the order of kDetailCaptions.
constexpr std::array<std::string_view, kDetailCaptions.size()> kDetailControls = {
    "lblDOB", "lblTOB", "lblLongitude", "lblLatitude", "lblCity", "lblState", "lblCountry"};

// The window's caption of a detail: the caption and a colon, the latitude's
// padded to line up with the longitude's.
QString DetailCaptionText(std::string_view caption) {
  const QString text = Text(caption);
  return text + (caption == "Latitude" ? QStringLiteral("   :") : QStringLiteral(" :"));
}

// The attribute grid of the second tab: attribute, control, column and row.
// Captions stand at the design's grid: three columns; eight rows of
// attributes, then the row of Looks, Nature and Career and the row of Love
// and Health. A value or a text box sits right below its caption.
struct GridCell {
  SignAttribute attribute;
  std::string_view control;  // the object name the window gives its label or box
  int column;                // 0 left, 1 middle, 2 right
  int row;                   // 0..7 attributes, 8 upper texts, 9 lower texts
};
constexpr std::array<GridCell, kAttributeCount> kGrid = {{
    {SignAttribute::VedicName, "lblVedicName", 0, 0},
    {SignAttribute::InduLagnaSign, "lblArudhaLagnaPresentInSign", 2, 0},
    {SignAttribute::RulingPlanet, "lblRullingPlanet", 0, 1},
    {SignAttribute::CompatibleWith, "lblCompatibleWith", 1, 1},
    {SignAttribute::NotCompatibleWith, "lblNotCompatibleWith", 2, 1},
    {SignAttribute::Symbol, "lblSymbol", 0, 2},
    {SignAttribute::Nature, "lblNature", 1, 2},
    {SignAttribute::Color, "lblColor", 2, 2},
    {SignAttribute::SignType, "lblTypeOfSign", 0, 3},
    {SignAttribute::Gender, "lblGender", 1, 3},
    {SignAttribute::ActivityPeriod, "lblBestPeriodOfActivity", 2, 3},
    {SignAttribute::Barren, "lblBarren", 0, 4},
    {SignAttribute::Caste, "lblCaste", 1, 4},
    {SignAttribute::Position, "lblPosition", 2, 4},
    {SignAttribute::Constituent, "lblConstituentCharacter", 0, 5},
    {SignAttribute::LuckyDays, "lblLuckyDays", 1, 5},
    {SignAttribute::LuckyNumbers, "lblLuckyNumbers", 2, 5},
    {SignAttribute::Direction, "lblBestDirection", 0, 6},
    {SignAttribute::LuckyColors, "lblLuckyColors", 1, 6},
    {SignAttribute::Gemstone, "lblLuckyGemstone", 2, 6},
    {SignAttribute::BodyPart, "lblPartOfTheBody", 0, 7},
    {SignAttribute::Physique, "lblPhysique", 1, 7},
    {SignAttribute::EnglishName, "lblEnglishName", 2, 7},
    {SignAttribute::LooksText, "txtLooks", 0, 8},
    {SignAttribute::NatureText, "txtNature", 1, 8},
    {SignAttribute::CareerText, "txtCareerAndFinance", 2, 8},
    {SignAttribute::LoveText, "txtLoveAndDomesticLife", 0, 9},
    {SignAttribute::HealthText, "txtHealth", 2, 9},
}};
// Where a box has nothing below it in its column, it runs down to the
// grid's last row: the middle column's Nature through the empty cell
// between Love and Health.
constexpr bool RunsToTheBottom(const GridCell& cell) {
  for (const GridCell& other : kGrid) {
    if (other.column == cell.column && other.row > cell.row) return false;
  }
  return true;
}
constexpr int kLastGridRow = [] {
  int last = 0;
  for (const GridCell& cell : kGrid) last = std::max(last, cell.row);
  return last;
}();
// Each row of the grid is two rows of the layout: the captions over their
// values or boxes.
constexpr int CaptionRow(int row) {
  return 2 * row;
}
constexpr int ValueRow(int row) {
  return 2 * row + 1;
}
// The columns share the frame's width as the design's 5040, 5910 and 5040
// twips do (their common factor, 30, taken out): the side columns hold the
// shorter texts (up to about 330 characters) in two stacked boxes, the
// middle one Nature (up to about 900 characters).
constexpr std::array<int, 3> kColumnShares = {168, 197, 168};
// Between the columns and at the frame's sides; above and below the grid.
constexpr int kGridGapPx = 16;
constexpr int kGridPadPx = 4;
// Between a caption and its value, and between the rows.
constexpr int kGridLineGapPx = 1;
// The narrowest a text box gets, in average characters of its font.
constexpr int kLeastTextBoxChars = 24;

// A frame whose caption sits across its top border, so that the design's
// positions just below the border stay clear of it. Painted directly rather
// than through a style sheet: a sheet on the window made every one of its
// hundred-odd labels resolve style rules each time a window was built.
class CaptionFrame : public QGroupBox {
 public:
  CaptionFrame(const QString& caption, const char* name, bool bordered, QWidget* parent)
      : QGroupBox(caption, parent), bordered_(bordered) {
    setObjectName(QString::fromLatin1(name));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QFontMetrics metrics = fontMetrics();
    const QRect titleRect(kTitleIndentPx, 0, metrics.horizontalAdvance(title()) + 2 * kTitlePadPx,
                          metrics.height());
    if (bordered_) {
      // The border leaves a gap for the caption, whatever the background.
      const int top = metrics.height() / 2;
      const int right = width() - 1;
      const int bottom = height() - 1;
      p.setPen(QColor(0xa0, 0xa0, 0xa0));
      p.drawLine(0, top, titleRect.left(), top);
      p.drawLine(titleRect.right() + 1, top, right, top);
      p.drawLine(right, top, right, bottom);
      p.drawLine(right, bottom, 0, bottom);
      p.drawLine(0, bottom, 0, top);
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(titleRect, Qt::AlignCenter, title());
  }

 private:
  static constexpr int kTitleIndentPx = 8;
  static constexpr int kTitlePadPx = 3;
  bool bordered_;
};

// Long texts that the user typed (a name, a city) would run out of their
// label: the label shows as much as fits, ending in an ellipsis. The
// caption property keeps the whole text.
void ElideToWidth(QLabel* label) {
  const int room = label->contentsRect().width();
  const QFontMetrics metrics = label->fontMetrics();
  if (metrics.horizontalAdvance(label->text()) <= room) return;
  label->setText(metrics.elidedText(label->text(), Qt::ElideRight, room));
}

QLabel* NamedLabel(QWidget* parent, std::string_view name, const QString& text, const QFont& font) {
  return PlacedLabel(parent, std::string(name).c_str(), text, QRect(), font);
}

QLabel* ValueLabel(QWidget* parent, std::string_view name) {
  QLabel* label = NamedLabel(parent, name, QString(), LabelFont(kTextPx));
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
  label->setPalette(p);
  return label;
}

// A label at least as wide as the widest of `texts` in its font.
void AtLeastAsWideAs(QLabel* label, const QStringList& texts) {
  const QFontMetrics metrics(label->font());
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
  label->setMinimumWidth(widest + 2 * label->margin() + 2);
}

// Margins of a layout inside a CaptionFrame: its caption across the top.
void FrameMargins(QLayout* layout, const QWidget* frame) {
  layout->setContentsMargins(kFramePadPx, frame->fontMetrics().height() + kFramePadPx / 2,
                             kFramePadPx, kFramePadPx);
}

// An interpretation text's box: read only, wrapped at its width, and never
// shorter than its wrapped text needs, so that the whole text shows without
// a scroll bar of its own (the page scrolls instead where it is too small).
// The least height follows from the box's width alone and its width from
// the grid's columns, not from any height: fitting after a new width or a
// new text settles at once, and a box that already has its height is left
// alone.
class FittedTextBox : public QPlainTextEdit {
 public:
  FittedTextBox(std::string_view name, QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(Text(name));
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setFont(LabelFont(kTextPx));
    // A scroll bar would take width from the text the box is fitted to.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setMinimumWidth(kLeastTextBoxChars * fontMetrics().averageCharWidth());
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Fit(); });
    Fit();
  }

  // No wish beyond the least size: the grid's shares give the width, the
  // spare height is shared by the rows of boxes.
  QSize sizeHint() const override { return minimumSize(); }
  QSize minimumSizeHint() const override { return minimumSize(); }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QPlainTextEdit::resizeEvent(event);
    Fit();
  }
  void changeEvent(QEvent* event) override {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) Fit();
  }

 private:
  void Fit() {
    const int needed = TextHeight() + height() - contentsRect().height();
    if (needed != minimumHeight()) setMinimumHeight(needed);
  }

  // The height the text takes at the width it is laid out at now, as the
  // box's scroll range counts it: every paragraph's wrapped lines, the
  // document's margin below the last (the block's box holds the one
  // above), and a pixel.
  int TextHeight() const {
    const QTextDocument* doc = document();
    const QAbstractTextDocumentLayout* layout = doc->documentLayout();
    qreal height = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
      height += layout->blockBoundingRect(block).height();
    }
    return static_cast<int>(std::ceil(height + doc->documentMargin() + 1));
  }
};

// A widget that tells when its size changed.
class ReflowWidget : public QWidget {
 public:
  explicit ReflowWidget(std::function<void()> resized, QWidget* parent = nullptr)
      : QWidget(parent), resized_(std::move(resized)) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    resized_();
  }

 private:
  std::function<void()> resized_;
};

}  // namespace

FrmDisplay::FrmDisplay(const HelpLinks& help, QWidget* parent) : QWidget(parent), help_(help) {
  setObjectName(QStringLiteral("frmDisplay"));
  setWindowTitle(ProgramTitle());
  setFont(LabelFont(kTextPx));

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(kSpacingPx, kSpacingPx / 2, kSpacingPx, kSpacingPx);
  root->setSpacing(kSpacingPx / 2);
  BuildHeadings();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  root->addWidget(tabs_, 1);
  auto* chartPage = new QWidget;
  auto* detailsPage = new QWidget;
  tabs_->addTab(chartPage, Text(kChartHeading));
  tabs_->addTab(detailsPage, Text(kAttributesHeading));
  dashaPage_ = new DashaPage;
  tabs_->addTab(dashaPage_, QStringLiteral("Dasha"));
  wealthPage_ = new WealthPage;
  tabs_->addTab(wealthPage_, Text(kWealthHeading));
  wealthPage_->SetOpenPeriod([this](int mahadasha, int antardasha) {
    tabs_->setCurrentWidget(dashaPage_);
    ShowDashaPeriod(dashaPage_->tree(), mahadasha, antardasha);
  });
  BuildChartTab(chartPage);
  BuildDetailsTab(detailsPage);
  resize(kStartSize);
}

void FrmDisplay::BuildHeadings() {
  auto* grid = new QGridLayout;
  grid->setContentsMargins(kSpacingPx, 0, kSpacingPx, 0);
  grid->setVerticalSpacing(0);
  grid->addWidget(NamedLabel(this, "dsd", QStringLiteral("Significance of Indu Lagna"),
                             LabelFont(kHeadingPx, true)),
                  0, 0);
  grid->addWidget(NamedLabel(this, "Label10",
                             QStringLiteral("Indu Lagna signifies the amount of money and wealth "
                                            "you will acquire in your lifetime"),
                             LabelFont(kTextPx)),
                  1, 0);
  grid->addWidget(
      NamedLabel(this, "Label5", QStringLiteral("Questions about your chart?"), LabelFont(kTextPx)),
      0, 1, Qt::AlignRight | Qt::AlignBottom);
  auto* label6 = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), this);
  label6->setObjectName(QStringLiteral("Label6"));
  label6->setFont([] {
    QFont f = LabelFont(kTextPx);
    f.setUnderline(true);
    return f;
  }());
  connect(label6, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });
  grid->addWidget(label6, 1, 1, Qt::AlignRight);
  grid->setColumnStretch(0, 1);
  static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void FrmDisplay::BuildChartTab(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(kSpacingPx, kSpacingPx / 2, kSpacingPx, kSpacingPx);
  column->setSpacing(kSpacingPx / 2);
  // The headline names the Indu Lagna above the chart.
  headline_ = NamedLabel(page, "lblInduLagnaHeadline", QString(), LabelFont(kHeadlinePx, true));
  QPalette hp = headline_->palette();
  hp.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
  headline_->setPalette(hp);
  column->addWidget(headline_);

  // The parts below it, placed by ReflowChartPage whenever the room changes.
  chartBody_ = new ReflowWidget([this] { ReflowChartPage(); }, page);
  chartBody_->setObjectName(QStringLiteral("chartBlock"));
  column->addWidget(chartBody_, 1);
  partTabs_ = new QTabWidget(chartBody_);
  partTabs_->setObjectName(QStringLiteral("tabChartParts"));
  partTabs_->setElideMode(Qt::ElideRight);
  partTabs_->hide();

  auto* frame1 = new QFrame(chartBody_);
  frame1_ = frame1;
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setFrameShape(QFrame::StyledPanel);
  auto* chart = new CaptionFrame(Text(kChartFrameCaption), "fraBirthchart", false, frame1);
  chartFrame_ = chart;
  auto* frame1Box = new QVBoxLayout(frame1);
  frame1Box->setContentsMargins(2, 2, 2, 2);
  frame1Box->addWidget(chart);

  // The drawing of both charts, above the forum link.
  chartView_ = new ChartView(chart);
  chartView_->setMinimumSize(2 * 60, 60);
  chartView_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  auto* label7 = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), chart);
  label7->setObjectName(QStringLiteral("Label7"));
  label7->setFont([] {
    QFont f = LabelFont(kTextPx);
    f.setUnderline(true);
    return f;
  }());
  label7->setAlignment(Qt::AlignCenter);
  connect(label7, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });
  chartLink_ = label7;
  auto* chartBox = new QVBoxLayout(chart);
  FrameMargins(chartBox, chart);
  chartBox->setContentsMargins(2, chart->fontMetrics().height(), 2, 2);
  chartBox->setSpacing(kChartBoxSpacingPx);
  chartBox->addWidget(chartView_, 1);
  chartBox->addWidget(label7, 0, Qt::AlignHCenter);

  auto* western = new CaptionFrame(Text(kPositionsHeading), "fraWestern", true, chartBody_);
  positionsFrame_ = western;
  BuildPositionsTable(western);

  auto* details = new CaptionFrame(Text(kDetailsHeading), "fraDetails", true, chartBody_);
  detailsFrame_ = details;
  auto* grid = new QGridLayout(details);
  FrameMargins(grid, details);
  grid->setVerticalSpacing(1);
  grid->setHorizontalSpacing(kSpacingPx);
  name_ = ValueLabel(details, "lblName");
  name_->setFont(LabelFont(kTextPx, true));
  name_->setFixedWidth(kDetailValuePx + 90);
  grid->addWidget(name_, 0, 0, 1, 2);
  for (std::size_t i = 0; i < kDetailCaptions.size(); ++i) {
    const int row = 1 + static_cast<int>(i);
    grid->addWidget(
        NamedLabel(details, "Label" + std::to_string(20 + i),
                   DetailCaptionText(kDetailCaptions[i].caption), LabelFont(kCaptionPx)),
        row, 0);
    details_[i] = ValueLabel(details, kDetailControls[i]);
    details_[i]->setFixedWidth(kDetailValuePx);
    grid->addWidget(details_[i], row, 1);
  }
  // The clock the chart was computed with, under the place, across the
  // frame, wrapped rather than cut.
  timeZone_ = ValueLabel(details, "lblTimeZone");
  timeZone_->setWordWrap(true);
  timeZone_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  timeZone_->setMinimumHeight(kClockRows * timeZone_->fontMetrics().lineSpacing());
  const int clockRow = 1 + static_cast<int>(kDetailCaptions.size());
  grid->addWidget(timeZone_, clockRow, 0, 1, 2);
  grid->setRowStretch(clockRow + 1, 1);

  BuildExplanationPanel(chartBody_);
  ArrangeChartPage(ChartPageLayout::Wide);
}

void FrmDisplay::BuildPositionsTable(QWidget* frame) {
  auto* grid = new QGridLayout(frame);
  FrameMargins(grid, frame);
  grid->setVerticalSpacing(2);
  grid->setHorizontalSpacing(kSpacingPx + 2);
  const QFont bold = LabelFont(kTextPx, true);
  for (std::size_t c = 0; c < kPositionColumns.size(); ++c) {
    grid->addWidget(
        NamedLabel(frame, "lblPositionColumn" + std::to_string(c), Text(kPositionColumns[c]), bold),
        0, static_cast<int>(c) + 1);
  }
  QStringList nakshatraNames, lordNames;
  for (const std::string_view name : kNakshatraNames) nakshatraNames << Text(name);
  for (const dasha::LordRow& lord : dasha::kVimshottariLords) lordNames << Text(lord.name);
  // Every sign's abbreviation between the widest digits, with the mark.
  QStringList positionTexts;
  for (const std::string_view abbr : kSignAbbr) {
    positionTexts << QStringLiteral("00 ") + Text(abbr) + QStringLiteral(" 00") + Text(kRetroMark);
  }
  for (int r = 0; r < kBodyCount; ++r) {
    const auto i = static_cast<std::size_t>(r);
    const std::string n = std::to_string(r);
    bodyNames_[i] =
        NamedLabel(frame, "PlanetName" + n, Text(kBodyWindowNames[i]), LabelFont(kTextPx));
    grid->addWidget(bodyNames_[i], r + 1, 0);
    positions_[i] = ValueLabel(frame, "planet" + n);
    AtLeastAsWideAs(positions_[i], positionTexts);
    nakshatras_[i] = ValueLabel(frame, "nakshatra" + n);
    AtLeastAsWideAs(nakshatras_[i], nakshatraNames);
    padas_[i] = ValueLabel(frame, "pada" + n);
    AtLeastAsWideAs(padas_[i], {QStringLiteral("4")});
    padas_[i]->setAlignment(Qt::AlignCenter);
    lords_[i] = ValueLabel(frame, "nakshatraLord" + n);
    AtLeastAsWideAs(lords_[i], lordNames);
    grid->addWidget(positions_[i], r + 1, 1);
    grid->addWidget(nakshatras_[i], r + 1, 2);
    grid->addWidget(padas_[i], r + 1, 3);
    grid->addWidget(lords_[i], r + 1, 4);
  }
  grid->setRowStretch(kBodyCount + 1, 1);
}

void FrmDisplay::BuildExplanationPanel(QWidget* parent) {
  auto* panel = new CaptionFrame(Text(kHowFoundHeading), "fraExplanation", true, parent);
  explanationFrame_ = panel;
  panel->setMinimumWidth(kExplanationLeastPx);
  // The steps of both counts and the legend can be longer than the panel
  // (a small window, a large font): they scroll rather than being cut.
  auto* outer = new QVBoxLayout(panel);
  FrameMargins(outer, panel);
  auto* scroll = new QScrollArea(panel);
  scroll->setObjectName(QStringLiteral("scrExplanation"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->viewport()->setAutoFillBackground(false);
  auto* content = new QWidget(scroll);
  content->setAutoFillBackground(false);
  scroll->setWidget(content);
  outer->addWidget(scroll);
  auto* box = new QVBoxLayout(content);
  box->setContentsMargins(kSpacingPx / 2, 0, kSpacingPx / 2, 0);
  box->setSpacing(4);
  const auto wrapped = [panel](const char* name, const QFont& font) {
    QLabel* label = PlacedLabel(panel, name, QString(), QRect(), font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
  };
  howFound_ = wrapped("lblHowFound", LabelFont(kTextPx));
  box->addWidget(howFound_);
  box->addSpacing(kSpacingPx);
  box->addWidget(wrapped("lblOtherReadingHeading", LabelFont(kTextPx, true)));
  textbookRule_ = wrapped("lblTextbookRule", [] {
    QFont f = LabelFont(kTextPx);
    f.setItalic(true);
    return f;
  }());
  box->addWidget(textbookRule_);
  box->addSpacing(kSpacingPx);
  navamsaHowFound_ = wrapped("lblNavamsaHowFound", LabelFont(kTextPx));
  box->addWidget(navamsaHowFound_);
  box->addSpacing(kSpacingPx);
  QLabel* legendHeading = wrapped("lblLegendHeading", LabelFont(kTextPx, true));
  legendHeading->setText(Text(kLegendHeading));
  box->addWidget(legendHeading);
  legend_ = wrapped("lblLegend", LabelFont(kTextPx));
  ShowLegend();
  box->addWidget(legend_);
  box->addStretch(1);
  if (auto* heading = panel->findChild<QLabel*>(QStringLiteral("lblOtherReadingHeading"))) {
    heading->setText(Text(kOtherReadingHeading));
  }
}

ChartPageLayout ChartPageLayoutFor(const ChartPageRoom& r) {
  const auto chartSide = [&](int width, int height) {
    return ChartSquareSide(QSizeF(width - r.chartChrome.width(), height - r.chartChrome.height()));
  };
  const int h = r.room.height();
  // Wide: the positions and the details side by side right of the charts,
  // the explanation under them.
  const int wideSide = r.positions.width() + r.spacing + r.details.width();
  const int wideTop = std::max(r.positions.height(), r.details.height());
  if (chartSide(r.room.width() - wideSide - r.spacing, h) >= kWideChartPx &&
      h - wideTop - r.spacing >= kWideExplanationPx && wideSide >= r.explanationWidth) {
    return ChartPageLayout::Wide;
  }
  // Side: the positions over the tabs of the details and the explanation.
  const int side = std::max({r.positions.width(), r.details.width(), r.explanationWidth});
  const int sideHeight = r.positions.height() + r.spacing + r.tabBar + r.details.height();
  if (chartSide(r.room.width() - side - r.spacing, h) >= kSideChartPx && sideHeight <= h) {
    return ChartPageLayout::Side;
  }
  return ChartPageLayout::Tabbed;
}

void FrmDisplay::ReflowChartPage() {
  ChartPageRoom room{};
  room.room = chartBody_->size();
  room.positions = positionsFrame_->sizeHint();
  room.details = detailsFrame_->sizeHint();
  // The drawing's frame: the outer frame, the caption, the forum link; the
  // charts' tab of the tabbed layout, which has neither, counts them too,
  // so that the choice does not change with its own result.
  const QSize view = chartView_->size();
  const QSize frame = frame1_->size();
  const int captionAndLink = chartFrame_->fontMetrics().height() - 2 +
                             chartLink_->sizeHint().height() + kChartBoxSpacingPx;
  room.chartChrome =
      arranged_ && frame.width() > view.width()
          ? frame - view + QSize(0, layout_ == ChartPageLayout::Tabbed ? captionAndLink : 0)
          : QSize(12, chartFrame_->fontMetrics().height() * 2 + 12);
  room.explanationWidth = kExplanationLeastPx;
  // The bar's thickness across the top, wherever it stands now.
  const QSize barHint = partTabs_->tabBar()->sizeHint();
  room.tabBar = partTabs_->tabPosition() == QTabWidget::West ? barHint.width() : barHint.height();
  room.spacing = kSpacingPx;
  const ChartPageLayout wanted = ChartPageLayoutFor(room);
  if (wanted != layout_ || !arranged_) ArrangeChartPage(wanted);
  // The tabs' bar along the room's longer side: a bar across the top of a
  // room wider than tall would take its height from the side-by-side
  // charts, which the height limits.
  const QTabWidget::TabPosition bar =
      layout_ == ChartPageLayout::Tabbed && room.room.width() > room.room.height()
          ? QTabWidget::West
          : QTabWidget::North;
  if (partTabs_->tabPosition() != bar) partTabs_->setTabPosition(bar);
  // Along the side, the captions share the room's height: they shorten
  // (an ellipsis) rather than scroll out of it.
  partTabs_->setUsesScrollButtons(bar == QTabWidget::North);
}

void FrmDisplay::ArrangeChartPage(ChartPageLayout layout) {
  layout_ = layout;
  arranged_ = true;
  // Every part out of the tabs and the old layout, then placed anew.
  while (partTabs_->count() > 0) partTabs_->removeTab(0);
  delete chartBody_->layout();
  auto* body = new QHBoxLayout(chartBody_);
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(kSpacingPx);
  const auto place = [](QBoxLayout* box, QWidget* w, int stretch = 0) {
    box->addWidget(w, stretch);
    w->show();
  };
  const auto tab = [this](QWidget* w, std::string_view caption) {
    partTabs_->addTab(w, Text(caption));
  };
  // The charts' own tab needs neither the frame's caption nor the forum
  // link (the headings hold one): the drawing takes their height.
  const bool bare = layout == ChartPageLayout::Tabbed;
  auto* chartFrame = static_cast<QGroupBox*>(chartFrame_);
  chartFrame->setTitle(bare ? QString() : Text(kChartFrameCaption));
  // A group box keeps room for a caption even without one; the frame
  // paints its own (CaptionFrame), so the bare one keeps none. A new
  // caption has the box measure its room again.
  if (bare) chartFrame->setContentsMargins(0, 0, 0, 0);
  chartFrame->layout()->setContentsMargins(2, bare ? 2 : chartFrame->fontMetrics().height(), 2, 2);
  chartLink_->setVisible(!bare);
  switch (layout) {
    case ChartPageLayout::Wide: {
      partTabs_->hide();
      place(body, frame1_, 1);
      auto* right = new QVBoxLayout;
      right->setSpacing(kSpacingPx);
      auto* top = new QHBoxLayout;
      top->setSpacing(kSpacingPx);
      place(top, positionsFrame_);
      place(top, detailsFrame_);
      right->addLayout(top);
      place(right, explanationFrame_, 1);
      body->addLayout(right);
      break;
    }
    case ChartPageLayout::Side: {
      place(body, frame1_, 1);
      auto* right = new QVBoxLayout;
      right->setSpacing(kSpacingPx);
      place(right, positionsFrame_);
      tab(detailsFrame_, kDetailsHeading);
      tab(explanationFrame_, kHowFoundHeading);
      place(right, partTabs_, 1);
      body->addLayout(right);
      break;
    }
    case ChartPageLayout::Tabbed: {
      tab(frame1_, "Charts");
      tab(positionsFrame_, kPositionsHeading);
      tab(detailsFrame_, kDetailsHeading);
      tab(explanationFrame_, kHowFoundHeading);
      place(body, partTabs_, 1);
      break;
    }
  }
  if (partTabs_->count() > 0) {
    partTabs_->setCurrentIndex(0);
    partTabs_->currentWidget()->show();
  }
}

void FrmDisplay::BuildDetailsTab(QWidget* page) {
  // The frame fills the page; a page smaller than the frame's least size
  // scrolls rather than cutting or shrinking its texts.
  auto* scroll = new QScrollArea(page);
  scroll->setObjectName(QStringLiteral("scrAttributes"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  auto* content = new QWidget;
  auto* frame4 = new QFrame(content);
  frame4->setObjectName(QStringLiteral("Frame4"));
  frame4->setFrameShape(QFrame::StyledPanel);
  auto* around = new QVBoxLayout(content);
  around->setContentsMargins(kFramePadPx, kFramePadPx, kFramePadPx, kFramePadPx);
  around->addWidget(frame4);
  scroll->setWidget(content);
  auto* pageBox = new QVBoxLayout(page);
  pageBox->setContentsMargins(0, 0, 0, 0);
  pageBox->addWidget(scroll);

  // Every caption, value and box a child of the frame, placed by its grid.
  auto* grid = new QGridLayout(frame4);
  grid->setContentsMargins(kGridGapPx, kGridPadPx, kGridGapPx, kGridPadPx);
  grid->setHorizontalSpacing(kGridGapPx);
  grid->setVerticalSpacing(kGridLineGapPx);
  for (std::size_t c = 0; c < kColumnShares.size(); ++c) {
    grid->setColumnStretch(static_cast<int>(c), kColumnShares[c]);
  }
  for (std::size_t i = 0; i < kGrid.size(); ++i) {
    const GridCell& cell = kGrid[i];
    grid->addWidget(NamedLabel(frame4, "Label8_" + std::to_string(i),
                               Text(CaptionOf(cell.attribute)), LabelFont(kTextPx, true)),
                    CaptionRow(cell.row), cell.column);
    const auto slot = static_cast<std::size_t>(cell.attribute);
    if (IsInterpretationText(cell.attribute)) {
      auto* text = new FittedTextBox(cell.control, frame4);
      const int span = RunsToTheBottom(cell) ? ValueRow(kLastGridRow) - ValueRow(cell.row) + 1 : 1;
      grid->addWidget(text, ValueRow(cell.row), cell.column, span, 1);
      // The rows of boxes share the spare height.
      grid->setRowStretch(ValueRow(cell.row), 1);
      attributeTexts_[slot] = text;
    } else {
      QLabel* label = ValueLabel(frame4, cell.control);
      grid->addWidget(label, ValueRow(cell.row), cell.column);
      attributeLabels_[slot] = label;
    }
  }
}

void FrmDisplay::SetChartStyle(ChartStyle style) {
  style_ = style;
  chartView_->SetStyle(style);
  ShowLegend();
}

void FrmDisplay::SetNames(const NameChoice& names) {
  names_ = names;
  chartView_->SetNames(names);
  for (int body = 0; body < kBodyCount; ++body) {
    if (QLabel* label = bodyNames_[static_cast<std::size_t>(body)]) {
      label->setText(Text(BodyWindowName(names.script, body)));
    }
  }
  ShowLegend();
}

void FrmDisplay::ShowLegend() {
  QStringList legend;
  for (const std::string& line : ChartLegend(style_, names_)) legend << Text(line);
  legend_->setText(legend.join(QLatin1Char('\n')));
}

QWidget* FrmDisplay::AttributeWidget(SignAttribute attribute) const {
  const auto slot = static_cast<std::size_t>(attribute);
  if (attributeLabels_[slot] != nullptr) return attributeLabels_[slot];
  return attributeTexts_[slot];
}

void FrmDisplay::BringChartToFront() {
  chartFrame_->setVisible(true);
  chartFrame_->raise();
  detailsFrame_->raise();
}

void FrmDisplay::Present(const ChartOutput& chart) {
  // Positions, birth details, attributes, the drawn charts, first tab.
  for (int i = 0; i < kBodyCount; ++i) {
    const auto b = static_cast<std::size_t>(i);
    const BodyPosition& position = chart.bodies[b];
    SetCaption(positions_[b], PositionWithMark(chart, i, names_.script));
    SetCaption(nakshatras_[b], NakshatraName(position, names_.script));
    SetCaption(padas_[b], PadaText(position));
    SetCaption(lords_[b], NakshatraLordName(position, names_.script));
  }

  const BirthDetailTexts details = BirthDetailTextsOf(chart.birth);
  SetCaption(name_, details.name);
  for (std::size_t i = 0; i < kDetailCaptions.size(); ++i) {
    SetCaption(details_[i], details.*kDetailCaptions[i].text);
  }
  SetCaption(timeZone_, std::string(kTimeZoneCaption) + ": " + details.timeZone);
  timeZone_->setToolTip(timeZone_->text());
  // The texts the user typed may be too long for their labels.
  ElideToWidth(name_);
  for (std::size_t i = 0; i < kDetailCaptions.size(); ++i) {
    const auto text = kDetailCaptions[i].text;
    if (text == &BirthDetailTexts::city || text == &BirthDetailTexts::state ||
        text == &BirthDetailTexts::country) {
      ElideToWidth(details_[i]);
    }
  }

  if (chart.attributes) {
    for (const AttributeValue& attribute : *chart.attributes) {
      const auto slot = static_cast<std::size_t>(attribute.attribute);
      if (QLabel* label = attributeLabels_[slot]) {
        SetCaption(label, attribute.value);
      } else if (QPlainTextEdit* text = attributeTexts_[slot]) {
        text->setPlainText(Text(attribute.value));
      }
    }
  }
  // The headline and the account of the count; a chart whose count cannot
  // be shown (no sign in a position text) gets neither, rather than a
  // wrong one.
  const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart);
  if (steps) {
    const InduLagnaWords words = ExplainInWords(*steps);
    headline_->setText(Text(words.headline));
    QStringList lines;
    for (const std::string& line : words.steps) lines << Text(line);
    howFound_->setText(lines.join(QLatin1Char('\n')));
    textbookRule_->setText(Text(words.otherLine));
  } else {
    headline_->clear();
    howFound_->clear();
    textbookRule_->clear();
  }
  // The caption line names the calculation settings the chart was computed with.
  setWindowTitle(ProgramTitle() + QStringLiteral(" - ") + Text(SettingsLine(chart.settings)));
  if (const std::optional<InduLagnaWords> navamsa = ExplainNavamsaInduLagna(chart)) {
    QStringList lines{Text(navamsa->headline)};
    for (const std::string& line : navamsa->steps) lines << Text(line);
    navamsaHowFound_->setText(lines.join(QLatin1Char('\n')));
  } else {
    navamsaHowFound_->clear();
  }
  chartView_->Present(chart, style_);
  // Today from the system clock, here at the edge; the page takes it as given.
  dashaPage_->Present(chart, SystemNow(), names_.script);
  wealthPage_->Present(chart, names_.script);
  tabs_->setCurrentIndex(0);
}

}  // namespace orvanta
