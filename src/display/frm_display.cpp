#include "display/frm_display.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTabWidget>
#include <string_view>

#include "shell/help_links.h"
#include "shell/ui_common.h"

namespace orvanta {
namespace {

constexpr int kTextPx = 11;  // 8-point labels at 96 dpi

// Design tops of the first tab's frames include the 360-twip tab strip; the
// page starts below the strip, so they move up by this much (the design's
// 120-twip margin stays).
constexpr int kTabStripTwips = 240;

struct PlacedTwips {
  std::string_view name;
  int left, top;
};

// The twelve sign boxes, Aries first (each 1305 x 1500 twips).
constexpr int kSignBoxWidth = 1305, kSignBoxHeight = 1500;
constexpr std::array<PlacedTwips, kSignCount> kSignBoxes = {{
    {"lblAries", 2280, 240},
    {"lblTaurus", 4200, 240},
    {"lblGemini", 6120, 240},
    {"lblCancer", 6120, 1920},
    {"lblLeo", 6120, 3600},
    {"lblVirgo", 6120, 5280},
    {"lblLibra", 4200, 5280},
    {"lblScorpio", 2160, 5280},
    {"lblSagattarius", 240, 5280},
    {"lblCapricorn", 240, 3600},
    {"lblAquarius", 240, 1920},
    {"lblPisces", 240, 240},
}};

// The mark labels lblArudha(k), beside sign box k (each 405 x 210 twips).
constexpr int kMarkWidth = 405, kMarkHeight = 210;
constexpr std::array<PlacedTwips, kSignCount> kMarks = {{
    {"lblArudha0", 3600, 240},
    {"lblArudha1", 5520, 240},
    {"lblArudha2", 7440, 240},
    {"lblArudha3", 7440, 1920},
    {"lblArudha4", 7440, 3600},
    {"lblArudha5", 7440, 5280},
    {"lblArudha6", 5520, 5280},
    {"lblArudha7", 3600, 5280},
    {"lblArudha8", 1560, 5280},
    {"lblArudha9", 1560, 3600},
    {"lblArudha10", 1560, 1920},
    {"lblArudha11", 1560, 240},
}};

// The chart's cell boundaries inside fraBirthchart: every sign box with its
// mark label lies between two neighbouring lines.
constexpr std::array<int, 5> kColumnLinesTwips = {150, 2100, 4100, 6020, 7950};
constexpr std::array<int, 5> kRowLinesTwips = {210, 1830, 3510, 5190, 6870};

// Cell (column, row) of each sign in the fixed South-Indian arrangement.
struct Cell {
  int column, row;
};
constexpr std::array<Cell, kSignCount> kSignCells = {{
    {1, 0},
    {2, 0},
    {3, 0},
    {3, 1},
    {3, 2},
    {3, 3},
    {2, 3},
    {1, 3},
    {0, 3},
    {0, 2},
    {0, 1},
    {0, 0},
}};

constexpr std::array<std::string_view, kBodyCount> kPlanetNames = {
    "Surya/Sun",    "Chandra/Moon", "Budha/Mercury",   "Shukra/Venus",    "Mangala/Mars",
    "Guru/Jupiter", "Shani/Saturn", "Rahu/North Node", "Ketu/South node", "Asc/Lagna"};

struct DetailRow {
  std::string_view caption;
  std::string_view control;
};
constexpr std::array<DetailRow, 7> kDetailRows = {{
    {"Date of Birth :", "lblDOB"},
    {"Time of Birth :", "lblTOB"},
    {"Longitude :", "lblLongitude"},
    {"Latitude   :", "lblLatitude"},
    {"City :", "lblCity"},
    {"State :", "lblState"},
    {"Country :", "lblCountry"},
}};

// The attribute grid of the second tab: caption, control, column, caption
// top (twips inside Frame4). A text box sits below its caption like a label.
struct GridCell {
  std::string_view caption;
  std::string_view control;
  int column;  // 0 left, 1 middle, 2 right
  int top;
};
constexpr std::array<GridCell, 28> kGrid = {{
    {"Vedic Name", "lblVedicName", 0, 240},
    {"Indu Lagna Present In Sign", "lblArudhaLagnaPresentInSign", 2, 240},
    {"Ruling Planet", "lblRullingPlanet", 0, 960},
    {"Compatible With", "lblCompatibleWith", 1, 960},
    {"Not Compatible With", "lblNotCompatibleWith", 2, 960},
    {"Symbol", "lblSymbol", 0, 1440},
    {"Nature", "lblNature", 1, 1440},
    {"Color", "lblColor", 2, 1440},
    {"Type Of Sign", "lblTypeOfSign", 0, 2040},
    {"Gender", "lblGender", 1, 2040},
    {"Best Period Of Activity", "lblBestPeriodOfActivity", 2, 2040},
    {"Barren", "lblBarren", 0, 2640},
    {"Caste", "lblCaste", 1, 2640},
    {"Position", "lblPosition", 2, 2640},
    {"Constituent Character", "lblConstituentCharacter", 0, 3240},
    {"Lucky Days", "lblLuckyDays", 1, 3240},
    {"Lucky Numbers", "lblLuckyNumbers", 2, 3240},
    {"Best Direction", "lblBestDirection", 0, 3840},
    {"Lucky Colors", "lblLuckyColors", 1, 3840},
    {"Lucky Gemstone", "lblLuckyGemstone", 2, 3840},
    {"Part Of The Body", "lblPartOfTheBody", 0, 4440},
    {"Physique", "lblPhysique", 1, 4440},
    {"English Name", "lblEnglishName", 2, 4440},
    {"Looks", "txtLooks", 0, 5040},
    {"Nature", "txtNature", 1, 5040},
    {"Career And Finance", "txtCareerAndFinance", 2, 5040},
    {"Love And Domestic Life", "txtLoveAndDomesticLife", 0, 6120},
    {"Health", "txtHealth", 2, 6120},
}};
struct GridColumn {
  int left, width;
};
constexpr std::array<GridColumn, 3> kGridColumns = {{{1000, 3600}, {4800, 3450}, {8400, 3480}}};
constexpr int kGridLineTwips = 240;  // a value sits one line below its caption

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The chart's lines (the design's line shapes): the outer square, the inner
// square around the empty centre and the cell boundaries between.
class ChartLines : public QWidget {
 public:
  explicit ChartLines(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("shpHora"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(QColor(0x80, 0x40, 0x00), 1));
    const auto x = [](int i) { return Px(kColumnLinesTwips[i]); };
    const auto y = [](int i) { return Px(kRowLinesTwips[i]); };
    const auto square = [&p](int left, int top, int right, int bottom) {
      p.drawLine(left, top, right, top);
      p.drawLine(right, top, right, bottom);
      p.drawLine(right, bottom, left, bottom);
      p.drawLine(left, bottom, left, top);
    };
    square(x(0), y(0), x(4), y(4));
    square(x(1), y(1), x(3), y(3));
    // Cell boundaries inside the outer ring only.
    p.drawLine(x(0), y(1), x(1), y(1));
    p.drawLine(x(3), y(1), x(4), y(1));
    p.drawLine(x(0), y(2), x(1), y(2));
    p.drawLine(x(3), y(2), x(4), y(2));
    p.drawLine(x(0), y(3), x(1), y(3));
    p.drawLine(x(3), y(3), x(4), y(3));
    p.drawLine(x(1), y(0), x(1), y(1));
    p.drawLine(x(2), y(0), x(2), y(1));
    p.drawLine(x(3), y(0), x(3), y(1));
    p.drawLine(x(1), y(3), x(1), y(4));
    p.drawLine(x(2), y(3), x(2), y(4));
    p.drawLine(x(3), y(3), x(3), y(4));
  }
};

// A mark caption holds one line per point placed in the sign, most of them
// empty; the label shows the last line that carries a mark ("IL") and keeps
// the whole caption in its property.
void SetMarkCaption(QLabel* label, std::string_view caption) {
  SetCaption(label, caption);
  const QStringList lines = label->text().split(QLatin1Char('\n'));
  QString shown;
  for (const QString& line : lines) {
    if (!line.trimmed().isEmpty()) shown = line;
  }
  label->setText(shown);
}

QLabel* ValueLabel(QWidget* parent, std::string_view name, QRect geometry) {
  QLabel* label =
      PlacedLabel(parent, std::string(name).c_str(), QString(), geometry, LabelFont(kTextPx));
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
  label->setPalette(p);
  return label;
}

}  // namespace

FrmDisplay::FrmDisplay(const HelpLinks& help, QWidget* parent) : QWidget(parent), help_(help) {
  setObjectName(QStringLiteral("frmDisplay"));
  setWindowTitle(ProgramTitle());
  setFont(LabelFont(kTextPx));
  setFixedSize(Px(12480), Px(9000));
  // Frames draw their caption across the top border, so that the design's
  // positions just below the border stay clear of it.
  setStyleSheet(
      QStringLiteral("QGroupBox { border: 1px solid #a0a0a0; margin-top: 7px; }"
                     "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                     " left: 8px; padding: 0 3px; }"));

  BuildHeadings();

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("SSTab1"));
  tabs_->setGeometry(TwipRect(60, 840, 12360, 8100));
  auto* chartPage = new QWidget;
  auto* detailsPage = new QWidget;
  tabs_->addTab(chartPage, QStringLiteral("Indu Lagna - Chart"));
  tabs_->addTab(detailsPage, QStringLiteral("Indu Lagna Details"));
  BuildChartTab(chartPage);
  BuildDetailsTab(detailsPage);
}

void FrmDisplay::BuildHeadings() {
  PlacedLabel(this, "dsd", QStringLiteral("Significance of Indu Lagna"),
              TwipRect(120, 120, 7000, 300), LabelFont(15, true));
  PlacedLabel(this, "Label10",
              QStringLiteral("Indu Lagna signifies the amount of money and wealth you will acquire "
                             "in your lifetime"),
              TwipRect(120, 480, 9000, 255), LabelFont(kTextPx));
  PlacedLabel(this, "Label5", QStringLiteral("Questions about your chart?"),
              TwipRect(9480, 180, 2880, 255), LabelFont(kTextPx));
  auto* label6 = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), this);
  label6->setObjectName(QStringLiteral("Label6"));
  label6->setFont([] {
    QFont f = LabelFont(kTextPx);
    f.setUnderline(true);
    return f;
  }());
  label6->setGeometry(TwipRect(9480, 480, 2565, 255));
  connect(label6, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });
}

void FrmDisplay::BuildChartTab(QWidget* page) {
  auto* frame1 = new QFrame(page);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setFrameShape(QFrame::StyledPanel);
  frame1->setGeometry(TwipRect(120, 360 - kTabStripTwips, 8415, 7215));

  auto* chart = new QGroupBox(QStringLiteral("Hora"), frame1);
  fraBirthchart_ = chart;
  chart->setObjectName(QStringLiteral("fraBirthchart"));
  chart->setGeometry(TwipRect(150, 140, 8115, 6945));
  chart->setStyleSheet(QStringLiteral("QGroupBox#fraBirthchart { border: none; }"));

  auto* lines = new ChartLines(chart);
  lines->setGeometry(0, 0, chart->width(), chart->height());

  for (int k = 0; k < kSignCount; ++k) {
    const PlacedTwips& box = kSignBoxes[k];
    QLabel* cell =
        PlacedLabel(chart, std::string(box.name).c_str(), QString(),
                    TwipRect(box.left, box.top, kSignBoxWidth, kSignBoxHeight), LabelFont(kTextPx));
    cell->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    signCells_[k] = cell;

    const PlacedTwips& mark = kMarks[k];
    QLabel* markLabel =
        PlacedLabel(chart, std::string(mark.name).c_str(), QStringLiteral("A12"),
                    TwipRect(mark.left, mark.top, kMarkWidth, kMarkHeight), LabelFont(10, true));
    markLabel->setAlignment(Qt::AlignCenter);
    QPalette p = markLabel->palette();
    p.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    markLabel->setPalette(p);
    marks_[k] = markLabel;

    // House number k + 1 in the lower right corner of the sign's cell.
    const Cell c = kSignCells[k];
    const int right = kColumnLinesTwips[c.column + 1];
    const int bottom = kRowLinesTwips[c.row + 1];
    QLabel* hno = PlacedLabel(chart, ("Hno" + std::to_string(k)).c_str(), QString::number(k + 1),
                              TwipRect(right - 345, bottom - 255, 300, 225), FixedPitchFont(10));
    hno->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    QPalette hp = hno->palette();
    hp.setColor(QPalette::WindowText, QColor(0x60, 0x60, 0x60));
    hno->setPalette(hp);
  }

  auto* label7 = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), chart);
  label7->setObjectName(QStringLiteral("Label7"));
  label7->setFont([] {
    QFont f = LabelFont(kTextPx);
    f.setUnderline(true);
    return f;
  }());
  label7->setAlignment(Qt::AlignCenter);
  label7->setGeometry(TwipRect(2520, 3240, 3165, 345));
  connect(label7, &LinkLabel::clicked, this, [this] { help_.OpenHomePage(); });

  auto* western = new QGroupBox(QStringLiteral("Vedic Planetary Position"), page);
  western->setObjectName(QStringLiteral("fraWestern"));
  western->setGeometry(TwipRect(8640, 3240 - kTabStripTwips, 3495, 4335));
  for (int r = 0; r < kBodyCount; ++r) {
    const int top = 360 + 390 * r;
    PlacedLabel(western, ("PlanetName" + std::to_string(r)).c_str(), Text(kPlanetNames[r]),
                TwipRect(120, top, 1785, 255), LabelFont(kTextPx));
    planet_[r] = ValueLabel(western, "planet" + std::to_string(r), TwipRect(1920, top, 1455, 255));
  }

  auto* details = new QGroupBox(QStringLiteral("Your Details"), page);
  fraDetails_ = details;
  details->setObjectName(QStringLiteral("fraDetails"));
  details->setGeometry(TwipRect(8640, 360 - kTabStripTwips, 3490, 2775));
  lblName_ = ValueLabel(details, "lblName", TwipRect(120, 240, 3250, 255));
  lblName_->setFont(LabelFont(kTextPx, true));
  std::array<QLabel*, kDetailRows.size()> values{};
  for (std::size_t i = 0; i < kDetailRows.size(); ++i) {
    const int top = 600 + 300 * static_cast<int>(i);
    PlacedLabel(details, ("Label" + std::to_string(20 + i)).c_str(), Text(kDetailRows[i].caption),
                TwipRect(120, top, 1320, 255), LabelFont(10));
    values[i] = ValueLabel(details, kDetailRows[i].control, TwipRect(1440, top, 1980, 255));
  }
  lblDOB_ = values[0];
  lblTOB_ = values[1];
  lblLongitude_ = values[2];
  lblLatitude_ = values[3];
  lblCity_ = values[4];
  lblState_ = values[5];
  lblCountry_ = values[6];
}

void FrmDisplay::BuildDetailsTab(QWidget* page) {
  auto* frame4 = new QFrame(page);
  frame4->setObjectName(QStringLiteral("Frame4"));
  frame4->setFrameShape(QFrame::StyledPanel);
  frame4->setGeometry(TwipRect(60, 60, 12120, 7440));

  for (std::size_t i = 0; i < kGrid.size(); ++i) {
    const GridCell& cell = kGrid[i];
    const GridColumn column = kGridColumns[static_cast<std::size_t>(cell.column)];
    PlacedLabel(frame4, ("Label8_" + std::to_string(i)).c_str(), Text(cell.caption),
                TwipRect(column.left, cell.top, column.width, 255), LabelFont(kTextPx, true));
    const int valueTop = cell.top + kGridLineTwips;
    if (cell.control.substr(0, 3) == "txt") {
      // The upper three texts end above the lower headings; the lower two
      // run to the bottom of the frame.
      const int bottom = cell.top < 6120 ? 6060 : 7380;
      auto* text = new QPlainTextEdit(frame4);
      text->setObjectName(Text(cell.control));
      text->setReadOnly(true);
      text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      text->setFont(LabelFont(kTextPx));
      text->setGeometry(TwipRect(column.left, valueTop, column.width, bottom - valueTop));
    } else {
      ValueLabel(frame4, cell.control, TwipRect(column.left, valueTop, column.width, 255));
    }
  }
}

void FrmDisplay::BringChartToFront() {
  fraBirthchart_->setVisible(true);
  fraBirthchart_->raise();
  fraDetails_->raise();
}

void FrmDisplay::Present(const ChartOutput& chart) {
  // Positions, cleared chart, birth details, cleared marks, bodies, marks,
  // attributes, first tab: the order in which the driver writes them.
  for (int i = 0; i < kBodyCount; ++i) SetCaption(planet_[i], chart.PositionText[i]);
  for (QLabel* cell : signCells_) SetCaption(cell, "");

  SetCaption(lblName_, chart.details.lblName);
  SetCaption(lblDOB_, chart.details.lblDOB);
  SetCaption(lblTOB_, chart.details.lblTOB);
  SetCaption(lblLatitude_, chart.details.lblLatitude);
  SetCaption(lblLongitude_, chart.details.lblLongitude);
  SetCaption(lblCity_, chart.details.lblCity);
  SetCaption(lblState_, chart.details.lblState);
  SetCaption(lblCountry_, chart.details.lblCountry);

  for (QLabel* mark : marks_) SetMarkCaption(mark, "");
  for (int k = 0; k < kSignCount; ++k) SetCaption(signCells_[k], chart.signCells[k]);
  for (int k = 0; k < kSignCount; ++k) SetMarkCaption(marks_[k], chart.marks[k]);

  if (chart.attributes) {
    for (const AttributeValue& attribute : *chart.attributes) {
      const QString name = Text(attribute.control);
      if (auto* label = findChild<QLabel*>(name)) {
        SetCaption(label, attribute.value);
      } else if (auto* text = findChild<QPlainTextEdit*>(name)) {
        text->setPlainText(Text(attribute.value));
      }
    }
  }
  tabs_->setCurrentIndex(0);
}

}  // namespace orvanta
