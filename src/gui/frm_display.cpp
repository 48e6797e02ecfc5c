#include "gui/frm_display.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "chart/explanation.h"
#include "chart/wealth_chart.h"
#include "gui/chart_view.h"
#include "gui/dasha_page.h"
#include "gui/help_links.h"
#include "gui/ui_common.h"
#include "gui/wealth_page.h"

namespace orvanta {
namespace {

constexpr int kTextPx = 11;  // 8-point labels at 96 dpi

// The window's size. Its height lets the main window hold it whole on a
// 1366 x 768 screen (less a 40-pixel taskbar and a maximised window's 23-pixel
// caption, beside the main window's menu bar, title strip, command strip and
// the child window's own frame); its width gives the second tab's texts room
// to show whole instead of the height that such a screen does not have.
constexpr int kWindowWidthTwips = 17250;
constexpr int kWindowHeightTwips = 8880;

// The headings above the tab control take two lines; the tab control starts
// below them.
constexpr int kTabTopTwips = 660;
// The forum tagline and link stand this far from the window's right edge.
constexpr int kRightHeadingsTwips = 3000;

// Design tops of the first tab's frames include the 360-twip tab strip; the
// page starts below the strip, so they move up by this much, keeping a
// 60-twip margin above the chart.
constexpr int kTabStripTwips = 300;
// The first tab's frames as one block (design lefts 120 to 12135 with their
// margin), below the Indu Lagna's headline; the explanation panel stands
// to its right.
constexpr int kChartBlockWidthTwips = 12255;
constexpr int kChartBlockHeightTwips = 7335;
constexpr int kHeadlineTopTwips = 45;
constexpr int kHeadlineHeightTwips = 330;
constexpr int kChartBlockTopTwips = 375;
constexpr int kPanelLeftTwips = kChartBlockWidthTwips + 60;
constexpr int kPanelRightMarginTwips = 120;

// The drawing of the two charts inside fraBirthchart, below its caption,
// and the forum link under it.
constexpr int kChartViewWidthTwips = 7995;
constexpr int kChartViewHeightTwips = 6000;
constexpr int kForumLinkTopTwips = 6360;

// Rows of the details frame: seven details, then the time zone on up to
// three rows (its line, "Time Zone: Asia/Kathmandu, UTC+5:45, standard
// time", is wider than the frame; a zone list row with the daylight tick
// takes three), fill its 3330 twips.
constexpr int kDetailPitchTwips = 270;
constexpr int kClockRows = 3;

// The planets' rows of the positions frame, which lies below the details.
constexpr int kPositionPitchTwips = 345;

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
// Captions stand at the design's grid (three columns; eight rows of
// attributes, then the row of Looks, Nature and Career and the row of Love
// and Health), with the rows closer together so that the texts below have
// room. A value sits one line below its caption; a text box below its
// caption fills its cell down to the next caption or the frame's bottom.
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
struct GridColumn {
  int left, width;
};
// The side columns hold the shorter texts (up to about 330 characters) in
// two stacked boxes; the middle one holds Nature (up to about 900
// characters), whose box runs down through the empty cell below it.
constexpr std::array<GridColumn, 3> kGridColumns = {{{240, 5040}, {5520, 5910}, {11670, 5040}}};
constexpr int kFrame4WidthTwips = 16950;  // the columns with 240-twip margins
constexpr int kFrame4HeightTwips = 7275;  // the page less its margins
constexpr int kGridLineTwips = 240;       // a value sits one line below its caption
constexpr int kCaptionHeightTwips = 240;  // one line of a caption or a value
constexpr int kFirstRowTopTwips = 60;     // caption top of the first row
constexpr int kAttributeRowTwips = 495;   // caption, value and a pixel between rows
constexpr int kFrameBottomMarginTwips = 60;
constexpr int kTextBoxGapTwips = 60;  // between an upper box and the caption below it
// The lower texts' captions: the upper boxes get the room the longest Looks
// and Career texts need, the lower ones the rest.
constexpr int kLowerTextRowTopTwips = 5505;

int RowTop(int row) {
  if (row < 9) return kFirstRowTopTwips + row * kAttributeRowTwips;
  return kLowerTextRowTopTwips;
}

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

QLabel* ValueLabel(QWidget* parent, std::string_view name, QRect geometry, const Scaled& scaled) {
  QLabel* label =
      PlacedLabel(parent, std::string(name).c_str(), QString(), geometry, scaled.Font(kTextPx));
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
  label->setPalette(p);
  return label;
}

}  // namespace

FrmDisplay::FrmDisplay(const HelpLinks& help, QWidget* parent, double scale)
    : QWidget(parent), help_(help), s_{scale} {
  setObjectName(QStringLiteral("frmDisplay"));
  setWindowTitle(ProgramTitle());
  setFont(s_.Font(kTextPx));
  setFixedSize(s_.Px(kWindowWidthTwips), s_.Px(kWindowHeightTwips));

  BuildHeadings();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  tabs_->setGeometry(
      s_.Rect(60, kTabTopTwips, kWindowWidthTwips - 120, kWindowHeightTwips - kTabTopTwips - 60));
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
}

void FrmDisplay::BuildHeadings() {
  PlacedLabel(this, "dsd", QStringLiteral("Significance of Indu Lagna"),
              s_.Rect(120, 60, 7000, 300), s_.Font(15, true));
  PlacedLabel(this, "Label10",
              QStringLiteral("Indu Lagna signifies the amount of money and wealth you will acquire "
                             "in your lifetime"),
              s_.Rect(120, 375, 9000, 255), s_.Font(kTextPx));
  const int right = kWindowWidthTwips - kRightHeadingsTwips;
  PlacedLabel(this, "Label5", QStringLiteral("Questions about your chart?"),
              s_.Rect(right, 90, 2880, 255), s_.Font(kTextPx));
  auto* label6 = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), this);
  label6->setObjectName(QStringLiteral("Label6"));
  label6->setFont([this] {
    QFont f = s_.Font(kTextPx);
    f.setUnderline(true);
    return f;
  }());
  label6->setGeometry(s_.Rect(right, 375, 2565, 255));
  connect(label6, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });
}

void FrmDisplay::BuildChartTab(QWidget* page) {
  // The headline names the Indu Lagna above the chart.
  const int pageWidthTwips = kWindowWidthTwips - 120 - 30;
  headline_ =
      PlacedLabel(page, "lblInduLagnaHeadline", QString(),
                  s_.Rect(120, kHeadlineTopTwips, pageWidthTwips - 240, kHeadlineHeightTwips),
                  s_.Font(16, true));
  QPalette hp = headline_->palette();
  hp.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
  headline_->setPalette(hp);

  // The frames keep the design's positions inside one block.
  auto* block = new QWidget(page);
  block->setObjectName(QStringLiteral("chartBlock"));
  block->setGeometry(
      s_.Rect(0, kChartBlockTopTwips, kChartBlockWidthTwips, kChartBlockHeightTwips));

  BuildExplanationPanel(page, s_.Rect(kPanelLeftTwips, kChartBlockTopTwips,
                                      pageWidthTwips - kPanelLeftTwips - kPanelRightMarginTwips,
                                      kChartBlockHeightTwips - 60));

  auto* frame1 = new QFrame(block);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setFrameShape(QFrame::StyledPanel);
  frame1->setGeometry(s_.Rect(120, 360 - kTabStripTwips, 8415, 7215));

  auto* chart = new CaptionFrame(QStringLiteral("Hora"), "fraBirthchart", false, frame1);
  chartFrame_ = chart;
  chart->setGeometry(s_.Rect(150, 140, 8115, 6945));

  // The drawing of both charts, above the forum link.
  chartView_ = new ChartView(chart);
  chartView_->setGeometry(s_.Rect(60, 240, kChartViewWidthTwips, kChartViewHeightTwips));

  auto* label7 = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), chart);
  label7->setObjectName(QStringLiteral("Label7"));
  label7->setFont([this] {
    QFont f = s_.Font(kTextPx);
    f.setUnderline(true);
    return f;
  }());
  label7->setAlignment(Qt::AlignCenter);
  label7->setGeometry(s_.Rect(2520, kForumLinkTopTwips, 3165, 345));
  connect(label7, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });

  auto* western = new CaptionFrame(Text(kPositionsHeading), "fraWestern", true, block);
  western->setGeometry(s_.Rect(8640, 3795 - kTabStripTwips, 3495, 3780));
  for (int r = 0; r < kBodyCount; ++r) {
    const int top = 360 + kPositionPitchTwips * r;
    bodyNames_[static_cast<std::size_t>(r)] =
        PlacedLabel(western, ("PlanetName" + std::to_string(r)).c_str(),
                    Text(kBodyWindowNames[static_cast<std::size_t>(r)]),
                    s_.Rect(120, top, 1785, 255), s_.Font(kTextPx));
    positions_[r] =
        ValueLabel(western, "planet" + std::to_string(r), s_.Rect(1920, top, 1455, 255), s_);
  }

  auto* details = new CaptionFrame(Text(kDetailsHeading), "fraDetails", true, block);
  detailsFrame_ = details;
  details->setGeometry(s_.Rect(8640, 360 - kTabStripTwips, 3490, 3330));
  name_ = ValueLabel(details, "lblName", s_.Rect(120, 240, 3250, 255), s_);
  name_->setFont(s_.Font(kTextPx, true));
  for (std::size_t i = 0; i < kDetailCaptions.size(); ++i) {
    const int top = 600 + kDetailPitchTwips * static_cast<int>(i);
    PlacedLabel(details, ("Label" + std::to_string(20 + i)).c_str(),
                DetailCaptionText(kDetailCaptions[i].caption), s_.Rect(120, top, 1320, 255),
                s_.Font(10));
    details_[i] = ValueLabel(details, kDetailControls[i], s_.Rect(1440, top, 1980, 255), s_);
  }
  // The clock the chart was computed with, under the place, across the
  // frame, wrapped rather than cut.
  const int zoneTop = 600 + kDetailPitchTwips * static_cast<int>(kDetailCaptions.size());
  timeZone_ = ValueLabel(details, "lblTimeZone",
                         s_.Rect(120, zoneTop, 3300, kDetailPitchTwips * kClockRows), s_);
  timeZone_->setWordWrap(true);
  timeZone_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FrmDisplay::BuildExplanationPanel(QWidget* page, QRect geometry) {
  auto* panel = new CaptionFrame(Text(kHowFoundHeading), "fraExplanation", true, page);
  panel->setGeometry(geometry);
  // The steps of both counts and the legend can be longer than the panel
  // (a small window, a large font): they scroll rather than being cut.
  auto* outer = new QVBoxLayout(panel);
  outer->setContentsMargins(s_.Px(60), s_.Px(300), s_.Px(60), s_.Px(60));
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
  box->setContentsMargins(s_.Px(60), 0, s_.Px(60), 0);
  box->setSpacing(s_.Px(60));
  const auto wrapped = [this, panel](const char* name, const QFont& font) {
    QLabel* label = PlacedLabel(panel, name, QString(), QRect(), font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
  };
  howFound_ = wrapped("lblHowFound", s_.Font(kTextPx));
  box->addWidget(howFound_);
  box->addSpacing(s_.Px(90));
  box->addWidget(wrapped("lblOtherReadingHeading", s_.Font(kTextPx, true)));
  textbookRule_ = wrapped("lblTextbookRule", [this] {
    QFont f = s_.Font(kTextPx);
    f.setItalic(true);
    return f;
  }());
  box->addWidget(textbookRule_);
  box->addSpacing(s_.Px(90));
  navamsaHowFound_ = wrapped("lblNavamsaHowFound", s_.Font(kTextPx));
  box->addWidget(navamsaHowFound_);
  box->addSpacing(s_.Px(90));
  QLabel* legendHeading = wrapped("lblLegendHeading", s_.Font(kTextPx, true));
  legendHeading->setText(Text(kLegendHeading));
  box->addWidget(legendHeading);
  legend_ = wrapped("lblLegend", s_.Font(kTextPx));
  ShowLegend();
  box->addWidget(legend_);
  box->addStretch(1);
  if (auto* heading = panel->findChild<QLabel*>(QStringLiteral("lblOtherReadingHeading"))) {
    heading->setText(Text(kOtherReadingHeading));
  }
}

void FrmDisplay::BuildDetailsTab(QWidget* page) {
  auto* frame4 = new QFrame(page);
  frame4->setObjectName(QStringLiteral("Frame4"));
  frame4->setFrameShape(QFrame::StyledPanel);
  frame4->setFixedSize(s_.Px(kFrame4WidthTwips), s_.Px(kFrame4HeightTwips));
  auto* centre = new QHBoxLayout(page);
  centre->setContentsMargins(0, s_.Px(60), 0, 0);
  centre->addWidget(frame4, 0, Qt::AlignHCenter | Qt::AlignTop);

  const int frameBottom = kFrame4HeightTwips - kFrameBottomMarginTwips;
  for (std::size_t i = 0; i < kGrid.size(); ++i) {
    const GridCell& cell = kGrid[i];
    const GridColumn column = kGridColumns[static_cast<std::size_t>(cell.column)];
    const int top = RowTop(cell.row);
    PlacedLabel(frame4, ("Label8_" + std::to_string(i)).c_str(), Text(CaptionOf(cell.attribute)),
                s_.Rect(column.left, top, column.width, kCaptionHeightTwips),
                s_.Font(kTextPx, true));
    const auto slot = static_cast<std::size_t>(cell.attribute);
    if (IsInterpretationText(cell.attribute)) {
      // A box starts right below its caption. The upper side boxes end above
      // the lower captions; Nature, with nothing below it, and the lower
      // boxes run to the bottom of the frame.
      const int boxTop = top + kCaptionHeightTwips;
      const bool upperSide = cell.row == 8 && cell.column != 1;
      const int bottom = upperSide ? kLowerTextRowTopTwips - kTextBoxGapTwips : frameBottom;
      auto* text = new QPlainTextEdit(frame4);
      text->setObjectName(Text(cell.control));
      text->setReadOnly(true);
      text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      text->setFont(s_.Font(kTextPx));
      text->setGeometry(s_.Rect(column.left, boxTop, column.width, bottom - boxTop));
      attributeTexts_[slot] = text;
    } else {
      attributeLabels_[slot] = ValueLabel(
          frame4, cell.control,
          s_.Rect(column.left, top + kGridLineTwips, column.width, kCaptionHeightTwips), s_);
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

QSize FrmDisplay::DesignSize() {
  return QSize(Px(kWindowWidthTwips), Px(kWindowHeightTwips));
}

double FitScale(QSize designPx, QSize roomPx) {
  if (designPx.isEmpty() || roomPx.isEmpty()) return 1.0;
  const double across = static_cast<double>(roomPx.width()) / designPx.width();
  const double down = static_cast<double>(roomPx.height()) / designPx.height();
  return std::clamp(std::min(across, down), 0.1, 1.0);
}

void FrmDisplay::BringChartToFront() {
  chartFrame_->setVisible(true);
  chartFrame_->raise();
  detailsFrame_->raise();
}

void FrmDisplay::Present(const ChartOutput& chart) {
  // Positions, birth details, attributes, the drawn charts, first tab.
  for (int i = 0; i < kBodyCount; ++i) {
    SetCaption(positions_[i], PositionText(chart.bodies[i], names_.script));
  }

  SetCaption(name_, chart.details.name);
  for (std::size_t i = 0; i < kDetailCaptions.size(); ++i) {
    SetCaption(details_[i], chart.details.*kDetailCaptions[i].text);
  }
  SetCaption(timeZone_, std::string(kTimeZoneCaption) + ": " + chart.details.timeZone);
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
