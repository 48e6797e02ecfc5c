#include "gui/chart_page.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_text.h"
#include "chart/dasha_chart.h"
#include "chart/explanation.h"
#include "chart/presentation.h"
#include "chart/wealth_chart.h"
#include "chart/xml_text.h"
#include "gui/chart_view.h"
#include "version.h"

namespace orvanta {
namespace {

// The page is laid out on a sheet 1000 units wide; its height follows the
// target's proportions (1414 for A4, 1294 for Letter).
constexpr double kSheetWidth = 1000.0;
constexpr double kMargin = 50.0;
constexpr double kColumnGap = 40.0;
constexpr double kChartHeight = 500.0;  // each chart's area: title, square, Indu Lagna line
constexpr double kFooterSpace = 50.0;   // below the content: the footer line
constexpr char kFontFamily[] = "DejaVu Sans";
// The PDF's resolution: fine enough that text positions are exact.
constexpr int kPdfDotsPerInch = 600;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kHeadingInk(0x7A, 0x1E, 0x00);  // the title strip's colour
const QColor kMarkInk(0xC0, 0x00, 0x00);
const QColor kRuleInk(0x99, 0x99, 0x99);

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont PageFont(int pixels, bool bold = false) {
  QFont font(QString::fromLatin1(kFontFamily));
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);  // the same layout on every device
  return font;
}

// How the Indu Lagna was found, line by line without the legend, with the
// indent of each line (0 for a heading, 1 for the lines under it); nothing
// when the count cannot be explained without contradicting the chart.
struct ExplanationLine {
  QString text;
  bool indented = false;
};
std::vector<ExplanationLine> ExplanationLines(const ChartOutput& chart) {
  std::vector<ExplanationLine> lines;
  const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart);
  if (!steps) return lines;
  const std::vector<std::string> text = ExplanationPlainText(*steps);
  // The first line is the headline, which the page shows in its title; the
  // legend stands apart, under the charts' own (ChartLegend).
  bool inLegend = false;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const bool indented = text[i].rfind("  ", 0) == 0;
    if (!indented) inLegend = text[i] == kLegendHeading;
    if (inLegend) continue;
    lines.push_back({Q(std::string_view(text[i]).substr(indented ? 2 : 0)), indented});
  }
  return lines;
}

class PagePainter {
 public:
  PagePainter(QPainter& p, const ChartOutput& chart, ChartStyle style, const NameChoice& names,
              double height)
      : p_(p), chart_(chart), style_(style), names_(names), height_(height) {}

  // Paints the page; returns the bottom of the content above the footer.
  double Paint() {
    p_.fillRect(QRectF(0, 0, kSheetWidth, height_), Qt::white);
    Title();
    const double top = 120;
    const double half = (kSheetWidth - 2 * kMargin - kColumnGap) / 2;
    const double right = kMargin + half + kColumnGap;
    const double detailsBottom = Details(kMargin, top, half);
    const double positionsBottom = Positions(right, top, half);
    const double chartsTop = std::max(detailsBottom, positionsBottom) + 24;
    const double explanationTop = Charts(chartsTop) + 10;
    const double explanationBottom = std::max(Explanation(kMargin, explanationTop, half),
                                              NavamsaExplanation(right, explanationTop, half));
    const double legendBottom = Legend(right, NavamsaLegendTop(explanationBottom), half);
    const double bottom =
        Wealth(Dasha(Attributes(std::max(explanationBottom, legendBottom) + 30) + 24) + 16);
    Footer();
    return bottom;
  }

 private:
  double Text(const QRectF& box, const QString& text, const QFont& font, const QColor& ink,
              int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap) {
    p_.setFont(font);
    p_.setPen(ink);
    QRectF used;
    p_.drawText(box, flags, text, &used);
    return used.height();
  }

  double Heading(double x, double y, double width, std::string_view text) {
    const double h = Text(QRectF(x, y, width, 40), Q(text), PageFont(17, true), kHeadingInk);
    p_.setPen(QPen(kRuleInk, 1.0));
    p_.drawLine(QPointF(x, y + h + 3), QPointF(x + width, y + h + 3));
    return y + h + 10;
  }

  // A caption and its value on one line, the value starting at `valueX`.
  double Row(double x, double y, double valueX, double width, const QString& caption,
             const QString& value, int pixels = 13) {
    Text(QRectF(x, y, valueX - x, 40), caption, PageFont(pixels, true), kInk);
    const double h =
        Text(QRectF(valueX, y, x + width - valueX, 200), value, PageFont(pixels), kInk);
    return y + std::max(h, pixels * 1.45);
  }

  void Title() {
    Text(QRectF(kMargin, 40, 500, 50), QStringLiteral("Orvanta"), PageFont(34, true), kHeadingInk);
    if (!InduLagnaSignName(chart_).empty()) {
      Text(QRectF(kSheetWidth / 2 - 100, 52, kSheetWidth / 2 + 100 - kMargin, 40),
           Q(InduLagnaHeadline(chart_.induLagna ? chart_.induLagna->sign : -1)), PageFont(20, true),
           kMarkInk, Qt::AlignRight | Qt::AlignTop);
    }
    // The calculation settings the chart was computed with, under the headline.
    // (From beside the title: the line with the dasha year is longer than
    // the headline.)
    Text(QRectF(kMargin + 180, 79, kSheetWidth - 2 * kMargin - 180, 18),
         Q(SettingsLine(chart_.settings)), PageFont(11), kRuleInk, Qt::AlignRight | Qt::AlignTop);
    p_.setPen(QPen(kHeadingInk, 2.0));
    p_.drawLine(QPointF(kMargin, 98), QPointF(kSheetWidth - kMargin, 98));
  }

  double Details(double x, double y, double width) {
    y = Heading(x, y, width, kDetailsHeading);
    const BirthDetailTexts details = BirthDetailTextsOf(chart_.birth);
    y += Text(QRectF(x, y, width, 40), Q(details.name), PageFont(16, true), kInk) + 6;
    for (const DetailCaption& d : kDetailCaptions) {
      y = Row(x, y, x + 130, width, Q(d.caption) + QLatin1Char(':'), Q(details.*d.text));
    }
    y = Row(x, y, x + 130, width, Q(kTimeZoneCaption) + QLatin1Char(':'), Q(details.timeZone));
    return y;
  }

  // The table of the bodies: name, position with its retrograde mark,
  // nakshatra, pada and the nakshatra's lord, under the columns' captions.
  // The columns are as wide as their widest text; the text is made smaller
  // only where the whole table would be wider than its half of the page.
  double Positions(double x, double y, double width) {
    y = Heading(x, y, width, kPositionsHeading);
    constexpr std::size_t kColumns = kPositionColumns.size() + 1;
    std::array<QStringList, kColumns> cells;
    cells[0] << QString();
    for (std::size_t c = 0; c < kPositionColumns.size(); ++c)
      cells[c + 1] << Q(kPositionColumns[c]);
    for (int body = 0; body < kBodyCount; ++body) {
      const BodyPosition& p = chart_.bodies[static_cast<std::size_t>(body)];
      cells[0] << Q(BodyWindowName(names_.script, body));
      cells[1] << Q(PositionWithMark(chart_, body, names_.script));
      cells[2] << Q(NakshatraName(p, names_.script));
      cells[3] << Q(PadaText(p));
      cells[4] << Q(NakshatraLordName(p, names_.script));
    }
    constexpr double kGap = 10;
    int pixels = 13;
    std::array<double, kColumns> widths{};
    for (; pixels > 6; --pixels) {
      const QFontMetricsF bold(PageFont(pixels, true));
      const QFontMetricsF plain(PageFont(pixels));
      double total = kGap * (kColumns - 1);
      for (std::size_t c = 0; c < kColumns; ++c) {
        widths[c] = 0;
        for (qsizetype r = 0; r < cells[c].size(); ++r) {
          // The captions' row and the names' column are bold.
          const QFontMetricsF& m = r == 0 || c == 0 ? bold : plain;
          widths[c] = std::max(widths[c], m.horizontalAdvance(cells[c][r]));
        }
        total += widths[c];
      }
      if (total <= width) break;
    }
    for (qsizetype r = 0; r < cells[0].size(); ++r) {
      double left = x;
      for (std::size_t c = 0; c < kColumns; ++c) {
        Text(QRectF(left, y, widths[c] + kGap, pixels * 2), cells[c][r],
             PageFont(pixels, r == 0 || c == 0), kInk, Qt::AlignLeft | Qt::AlignTop);
        left += widths[c] + kGap;
      }
      y += pixels * 1.45;
    }
    return y;
  }

  // The birth chart and its Navamsa side by side in the page's style, under
  // their heading; returns their bottom.
  double Charts(double top) {
    top = Heading(kMargin, top, kSheetWidth - 2 * kMargin, kChartHeading);
    const QRectF room(kMargin, top, kSheetWidth - 2 * kMargin, kChartHeight);
    const std::array<QRectF, 2> areas = ChartAreas(room);
    PaintChart(p_, areas[0].adjusted(0, 0, -kColumnGap / 2, 0),
               DrawChart(chart_, ChartKind::Rasi, style_, names_),
               QString::fromLatin1(kFontFamily));
    PaintChart(p_, areas[1].adjusted(kColumnGap / 2, 0, 0, 0),
               DrawChart(chart_, ChartKind::Navamsa, style_, names_),
               QString::fromLatin1(kFontFamily));
    return top + kChartHeight;
  }

  // How the Navamsa's Indu Lagna was found, beside the birth chart's count.
  double NavamsaExplanation(double x, double y, double width) {
    const std::optional<InduLagnaWords> words = ExplainNavamsaInduLagna(chart_);
    if (!words) return y;
    y = Heading(x, y, width, "How the Navamsa Indu Lagna was found");
    y += 4;
    y += Text(QRectF(x, y, width, 60), Q(words->headline), PageFont(13, true), kInk) + 3;
    for (const std::string& line : words->steps) {
      y += Text(QRectF(x + 12, y, width - 12, 300), Q(line), PageFont(12), kInk) + 4;
    }
    return y;
  }

  static double NavamsaLegendTop(double y) { return y + 12; }

  // The chart's legend, under the Navamsa's count.
  double Legend(double x, double y, double width) {
    y += Text(QRectF(x, y, width, 40), Q(kLegendHeading), PageFont(13, true), kInk) + 3;
    for (const std::string& line : ChartLegend(style_, names_)) {
      y += Text(QRectF(x + 12, y, width - 12, 60), Q(line), PageFont(12), kInk) + 2;
    }
    return y;
  }

  double Explanation(double x, double y, double width) {
    y = Heading(x, y, width, "How the Indu Lagna was found");
    for (const ExplanationLine& line : ExplanationLines(chart_)) {
      if (line.indented) {
        y += Text(QRectF(x + 12, y, width - 12, 300), line.text, PageFont(12), kInk) + 4;
      } else {
        y += 4;
        y += Text(QRectF(x, y, width, 60), line.text, PageFont(13, true), kInk) + 3;
      }
    }
    return y;
  }

  double Attributes(double y) {
    const double width = kSheetWidth - 2 * kMargin;
    y = Heading(kMargin, y, width, kAttributesHeading);
    if (!chart_.attributes) return y;
    // The short attributes in two columns, then the five texts full width.
    std::vector<const AttributeValue*> shortOnes;
    std::vector<const AttributeValue*> texts;
    for (const AttributeValue& a : *chart_.attributes) {
      (IsInterpretationText(a.attribute) ? texts : shortOnes).push_back(&a);
    }
    const double half = (width - kColumnGap) / 2;
    const std::size_t perColumn = (shortOnes.size() + 1) / 2;
    double columnBottom = y;
    for (std::size_t column = 0; column < 2; ++column) {
      double cy = y;
      const double x = kMargin + static_cast<double>(column) * (half + kColumnGap);
      for (std::size_t i = column * perColumn;
           i < std::min(shortOnes.size(), (column + 1) * perColumn); ++i) {
        cy = Row(x, cy, x + 200, half, Q(CaptionOf(shortOnes[i]->attribute)) + QLatin1Char(':'),
                 Q(shortOnes[i]->value), 12);
      }
      columnBottom = std::max(columnBottom, cy);
    }
    y = columnBottom + 8;
    for (const AttributeValue* a : texts) {
      y += Text(QRectF(kMargin, y, width, 30), Q(CaptionOf(a->attribute)), PageFont(13, true),
                kHeadingInk);
      y += Text(QRectF(kMargin, y, width, 400), Q(a->value), PageFont(12), kInk) + 6;
    }
    return y;
  }

  // The Vimshottari mahadashas with their antardashas: the balance at birth,
  // then nine blocks in three columns, each the mahadasha and its nine
  // antardashas with their start dates (local dates of the birth's clock).
  double Dasha(double y) {
    const std::optional<dasha::Vimshottari> v = DashaOf(chart_);
    if (!v) return y;
    const double width = kSheetWidth - 2 * kMargin;
    y = Heading(kMargin, y, width, "Vimshottari Dasha");
    y += Text(QRectF(kMargin, y, width, 40),
              Q(BalanceText(*v, names_.script)) + QStringLiteral("; ") +
                  Q(DashaYearCaption(v->yearLength)) +
                  QStringLiteral("; dates by the birth's clock."),
              PageFont(12), kInk) +
         8;
    constexpr int kColumns = 3;
    constexpr double kLine = 15;
    const double column = (width - (kColumns - 1) * kColumnGap / 2) / kColumns;
    const auto maha = dasha::Mahadashas(*v);
    double rowTop = y;
    double rowBottom = y;
    for (std::size_t i = 0; i < maha.size(); ++i) {
      const double x = kMargin + static_cast<double>(i % kColumns) * (column + kColumnGap / 2);
      if (i % kColumns == 0) rowTop = rowBottom;
      double line = rowTop;
      const auto date = [this](dasha::UtSeconds t) {
        return Q(DateText(LocalDateOf(chart_.birth, t)));
      };
      Text(QRectF(x, line, column, kLine),
           QStringLiteral("%1  %2 \u2013 %3")
               .arg(Q(LordNameIn(names_.script, maha[i].lord())), date(maha[i].start),
                    date(maha[i].end)),
           PageFont(11, true), kInk);
      line += kLine;
      if (const auto subs = dasha::SubPeriods(*v, maha[i])) {
        for (const dasha::Period& p : *subs) {
          Text(QRectF(x + 12, line, column - 12, kLine),
               QStringLiteral("%1  %2").arg(Q(LordNameIn(names_.script, p.lord())), date(p.start)),
               PageFont(10), kInk);
          line += kLine - 2;
        }
      }
      rowBottom = std::max(rowBottom, line + 6);
    }
    return rowBottom;
  }

  // The wealth reading, one line a factor, and the mahadashas that give or
  // cost (their antardashas are on the Wealth page and in the text report).
  double Wealth(double y) {
    const std::optional<ChartWealth> w = WealthOf(chart_);
    if (!w) return y;
    const double width = kSheetWidth - 2 * kMargin;
    y = Heading(kMargin, y, width, kWealthHeading);
    for (const std::string& line : WealthReadingLines(*w, names_.script)) {
      y += Text(QRectF(kMargin, y, width, 60), Q(line), PageFont(11), kInk) + 2;
    }
    y += 6;
    for (const wealth::WealthPeriod& p : w->periods) {
      if (p.period.level != 1) continue;
      QStringList why;
      for (const wealth::Reason& r : p.why) why << Q(wealth::ReasonText(r));
      y += Text(QRectF(kMargin, y, width, 40),
                QStringLiteral("%1  %2 \u2013 %3  %4: %5")
                    .arg(Q(PeriodName(p.period, names_.script)),
                         Q(DateText(LocalDateOf(chart_.birth, p.period.start))),
                         Q(DateText(LocalDateOf(chart_.birth, p.period.end))),
                         Q(wealth::EffectName(p.effect)), why.join(QStringLiteral("; "))),
                PageFont(10), kInk) +
           1;
    }
    return y;
  }

  void Footer() {
    Text(QRectF(kMargin, height_ - 40, kSheetWidth - 2 * kMargin, 20),
         QStringLiteral("Orvanta %1").arg(QString::fromLatin1(kVersion)), PageFont(10), kRuleInk,
         Qt::AlignRight | Qt::AlignTop);
  }

  QPainter& p_;
  const ChartOutput& chart_;
  ChartStyle style_;
  NameChoice names_;
  double height_;
};

// The title of a PDF or SVG file: the program and the person's name.
std::string DocumentTitle(const ChartOutput& chart) {
  std::string title = "Orvanta - ";
  title += chart.birth.name;
  return title;
}

QString WriteFailed(const QString& path, const QString& why) {
  return QStringLiteral(
             "The file \"%1\" cannot be written: %2. Any file of that name is left "
             "as it was.")
      .arg(path, why);
}

// Puts `bytes` in place of the file at `path` only once all of them are on
// the disk. The page is made in memory first, so that each write here is
// checked: unbuffered, a short or failed write (a full disk) is seen at once
// rather than in a flush the save file does not report, and the save file
// is then dropped, never committed over the previous file.
QString WriteWhole(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
    return WriteFailed(path, file.errorString());
  }
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0) {
      const QString why = file.errorString();
      file.cancelWriting();
      return WriteFailed(path, why);
    }
    done += written;
  }
  if (!file.commit()) return WriteFailed(path, file.errorString());
  return {};
}

}  // namespace

void PaintChartPage(QPainter& painter, const QRectF& target, const ChartOutput& chart,
                    ChartStyle style, const NameChoice& names) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const double scale = target.width() / kSheetWidth;
  const double sheetHeight = target.height() / scale;
  // A page shorter than A4 (Letter) may not hold everything at full size:
  // a trial layout measures the content, and the page is drawn smaller,
  // centred, when it would run into the footer.
  double fit = 1.0;
  {
    QPicture trial;
    QPainter measure(&trial);
    const double needed = PagePainter(measure, chart, style, names, sheetHeight).Paint();
    const double available = sheetHeight - kFooterSpace;
    if (needed > available) fit = available / needed;
  }
  painter.fillRect(target, Qt::white);
  painter.translate(target.left() + (target.width() - target.width() * fit) / 2, target.top());
  painter.scale(scale * fit, scale * fit);
  PagePainter(painter, chart, style, names, sheetHeight / fit).Paint();
  painter.restore();
}

QPageSize LocalePageSize() {
  return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                              : QPageSize::A4);
}

QString ExportChartPdf(const QString& path, const ChartOutput& chart, const QPageSize& pageSize,
                       ChartStyle style, const NameChoice& names) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfDotsPerInch);
    pdf.setPageSize(pageSize);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(Q(DocumentTitle(chart)));
    pdf.setCreator(QStringLiteral("Orvanta"));
    QPainter painter;
    if (!painter.begin(&pdf)) return WriteFailed(path, QStringLiteral("no PDF page"));
    PaintChartPage(painter, QRectF(0, 0, pdf.width(), pdf.height()), chart, style, names);
    painter.end();
  }
  return WriteWhole(path, bytes);
}

QString ExportChartPng(const QString& path, const ChartOutput& chart, QSize pixels,
                       ChartStyle style, const NameChoice& names) {
  QImage image(pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintChartPage(painter, QRectF(0, 0, pixels.width(), pixels.height()), chart, style, names);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return WriteFailed(path, QStringLiteral("no PNG image"));
  return WriteWhole(path, bytes);
}

QString ExportChartSvg(const QString& path, const ChartOutput& chart, QSize pixels,
                       ChartStyle style, const NameChoice& names) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(pixels);
    svg.setViewBox(QRect(QPoint(0, 0), pixels));
    // The generator writes its title into <title> as it is given.
    svg.setTitle(Q(XmlEscaped(DocumentTitle(chart))));
    QPainter painter;
    if (!painter.begin(&svg)) return WriteFailed(path, QStringLiteral("no SVG drawing"));
    PaintChartPage(painter, QRectF(0, 0, pixels.width(), pixels.height()), chart, style, names);
    painter.end();
  }
  // The generator escapes & < > " in the texts it draws, but copies the
  // characters XML forbids (control characters, U+FFFE, U+FFFF) as they
  // are: a name holding one would make the file ill-formed. Its markup is
  // plain ASCII, so the pass changes only characters of the texts.
  const std::string safe = XmlSafeText(std::string_view(bytes.constData(), bytes.size()));
  return WriteWhole(path, QByteArray(safe.data(), static_cast<qsizetype>(safe.size())));
}

QString ExportChart(const QString& path, const ChartOutput& chart, ChartStyle style,
                    const NameChoice& names) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const QSize image(kImagePageWidthPx, kImagePageHeightPx);
  if (suffix == QLatin1String("png")) return ExportChartPng(path, chart, image, style, names);
  if (suffix == QLatin1String("svg")) return ExportChartSvg(path, chart, image, style, names);
  if (suffix == QLatin1String("pdf"))
    return ExportChartPdf(path, chart, LocalePageSize(), style, names);
  return QStringLiteral(
             "Export as PDF, PNG or SVG: the file name \"%1\" ends in none of "
             ".pdf, .png, .svg.")
      .arg(path);
}

void PrintChart(QPrinter& printer, const ChartOutput& chart, ChartStyle style,
                const NameChoice& names) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  // The page within the printer's margins, in the printer's own dots.
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  PaintChartPage(painter, QRectF(0, 0, page.width(), page.height()), chart, style, names);
  painter.end();
}

QString ChartPlainText(const ChartOutput& chart) {
  QString text;
  // Chosen settings first, as in the command line's text report.
  if (!chart.settings.IsDefault()) text += Q(SettingsLine(chart.settings)) + QLatin1Char('\n');
  text += Q(kDetailsHeading) + QLatin1Char('\n');
  const BirthDetailTexts details = BirthDetailTextsOf(chart.birth);
  text += QStringLiteral("Name: %1\n").arg(Q(details.name));
  for (const DetailCaption& d : kDetailCaptions) {
    text += QStringLiteral("%1: %2\n").arg(Q(d.caption), Q(details.*d.text));
  }
  text += QStringLiteral("%1: %2\n").arg(Q(kTimeZoneCaption), Q(details.timeZone));
  text += QLatin1Char('\n') + Q(kPositionsHeading) + QLatin1Char('\n');
  // Each body's line holds the positions table's columns: the position
  // with its mark, then the nakshatra, its pada and its lord, each under
  // its column's caption; a position without a sign has none of those.
  for (int body = 0; body < kBodyCount; ++body) {
    const BodyPosition& p = chart.bodies[static_cast<std::size_t>(body)];
    text += Q(kBodyWindowNames[static_cast<std::size_t>(body)]);
    text += QStringLiteral(": ") + Q(PositionWithMark(chart, body));
    const std::string_view nakshatra = NakshatraName(p);
    if (!nakshatra.empty()) {
      text += QStringLiteral(", %1: %2, %3: %4, %5: %6")
                  .arg(Q(kPositionColumns[1]), Q(nakshatra), Q(kPositionColumns[2]), Q(PadaText(p)),
                       Q(kPositionColumns[3]), Q(NakshatraLordName(p)));
    }
    text += QLatin1Char('\n');
  }
  const std::string_view sign = InduLagnaSignName(chart);
  if (!sign.empty()) text += QStringLiteral("\nIndu Lagna (IL): %1\n").arg(Q(sign));
  if (const std::optional<ChartWealth> w = WealthOf(chart)) {
    text += QLatin1Char('\n') + Q(kWealthHeading) + QLatin1Char('\n');
    for (const std::string& line : WealthReadingLines(*w)) text += Q(line) + QLatin1Char('\n');
  }
  return text;
}

}  // namespace orvanta
