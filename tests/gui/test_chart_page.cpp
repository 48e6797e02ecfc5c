// The page of the reference chart as it leaves the program: the PDF renders
// with pdftoppm and holds every part of the page (read back with
// pdftotext), on the page size asked for; the PNG has the requested size
// and draws the Indu Lagna mark; the SVG is well-formed XML; the printer's
// page size is the one printed on; the clipboard text holds the details and
// positions. A page that cannot be written whole (a full disk, a file size
// limit) leaves the previous file as it was and says why.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "chart/chart_layout.h"
#include "chart/chart_text.h"
#include "chart/explanation.h"
#include "chart/presentation.h"
#include "cli/chart_json.h"
#include "cli/render.h"
#include "gui/chart_page.h"
#include "gui/frm_display.h"
#include "gui/help_links.h"
#include "support/full_disk.h"
#include "support/gui_harness.h"
#include "support/reference_births.h"

using namespace orvanta;

namespace {

ChartOutput ReferenceChart() {
  const ChartRun run = ComputeChart(reference::DelhiBirth());
  return run.chart;
}

// Runs a poppler tool; its standard output, or a failed test. A tool that is
// not installed fails the test with the package that ships it: the test never
// passes or skips for a machine that lacks a package.
QString RunTool(const QString& program, const QStringList& args, bool* ok) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(60000)) {
    *ok = false;
    QTest::qFail(
        qPrintable(program + " cannot be started: install the Debian package poppler-utils "
                             "(tools/install-deps.sh does)"),
        __FILE__, __LINE__);
    return {};
  }
  *ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

class TestChartPage : public QObject {
  Q_OBJECT
 private slots:
  // Each calculation setting reaches every output of one chart: the result
  // window (positions, headline, explanation, caption line), the page, the
  // copied text, the text report and the JSON show the same positions, the
  // same Indu Lagna and the same settings. Only a chart with a setting
  // changed has the settings line in the texts; the window and the page
  // always show it.
  void eachSettingReachesWindowPageTextAndJson_data() {
    QTest::addColumn<int>("ayanamsa");
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("json");  // the JSON's settings member
    const auto row = [](const char* name, AyanamsaChoice a, NodeChoice n, InduLagnaRule r,
                        const char* json) {
      QTest::newRow(name) << int(a) << int(n) << int(r) << QString::fromLatin1(json);
    };
    const auto program = InduLagnaRule::FromAscendantVenus10;
    row("defaults", AyanamsaChoice::Program, NodeChoice::Program, program,
        R"("ayanamsa":"program","node":"program","induLagnaRule":"from-ascendant-venus-10")");
    row("Lahiri", AyanamsaChoice::Lahiri, NodeChoice::Program, program,
        R"("ayanamsa":"lahiri","node":"program","induLagnaRule":"from-ascendant-venus-10")");
    row("Raman", AyanamsaChoice::Raman, NodeChoice::Program, program,
        R"("ayanamsa":"raman","node":"program","induLagnaRule":"from-ascendant-venus-10")");
    row("KP", AyanamsaChoice::Krishnamurti, NodeChoice::Program, program,
        R"("ayanamsa":"kp","node":"program","induLagnaRule":"from-ascendant-venus-10")");
    row("mean node", AyanamsaChoice::Program, NodeChoice::Mean, program,
        R"("ayanamsa":"program","node":"mean","induLagnaRule":"from-ascendant-venus-10")");
    row("true node", AyanamsaChoice::Program, NodeChoice::True, program,
        R"("ayanamsa":"program","node":"true","induLagnaRule":"from-ascendant-venus-10")");
    row("classical count", AyanamsaChoice::Program, NodeChoice::Program,
        InduLagnaRule::FromMoonVenus12,
        R"("ayanamsa":"program","node":"program","induLagnaRule":"from-moon-venus-12")");
    row("all three", AyanamsaChoice::Raman, NodeChoice::True, InduLagnaRule::FromMoonVenus12,
        R"("ayanamsa":"raman","node":"true","induLagnaRule":"from-moon-venus-12")");
  }
  void eachSettingReachesWindowPageTextAndJson() {
    QFETCH(int, ayanamsa);
    QFETCH(int, node);
    QFETCH(int, rule);
    QFETCH(QString, json);
    CalculationSettings settings;
    settings.ayanamsa = static_cast<AyanamsaChoice>(ayanamsa);
    settings.node = static_cast<NodeChoice>(node);
    settings.induLagnaRule = static_cast<InduLagnaRule>(rule);
    const ChartRun run = ComputeChart(reference::DelhiBirth(), settings);
    QVERIFY(!run.refusal && run.chart.induLagna);
    const ChartOutput& chart = run.chart;
    const QString settingsLine = Q(SettingsLine(settings));
    const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart);
    QVERIFY(steps);
    const InduLagnaWords words = ExplainInWords(*steps);

    // The window.
    testing::RecordingOpener pages;
    HelpLinks help(pages.opener());
    FrmDisplay window(help);
    window.Present(chart);
    QVERIFY(window.windowTitle().endsWith(settingsLine));
    const QString headline = window.findChild<QLabel*>("lblInduLagnaHeadline")->text();
    QCOMPARE(headline, Q(words.headline));
    QCOMPARE(window.findChild<QLabel*>("lblTextbookRule")->text(), Q(words.otherLine));
    QStringList positions;
    for (int body = 0; body < kBodyCount; ++body) {
      positions << window.findChild<QLabel*>(QStringLiteral("planet%1").arg(body))->text();
      QCOMPARE(positions.back(), Q(PositionWithMark(chart, body)));
    }

    // The page.
    const QString pdf = dir_.filePath("settings.pdf");
    QCOMPARE(ExportChartPdf(pdf, chart, QPageSize(QPageSize::A4)), QString());
    bool ok = false;
    const QString page = RunTool("pdftotext", {pdf, "-"}, &ok)
                             .normalized(QString::NormalizationForm_KC)
                             .simplified();
    QVERIFY(ok);
    QVERIFY2(page.contains(settingsLine), qPrintable(page.left(300)));
    QVERIFY(page.contains(headline));
    QVERIFY(page.contains(Q(words.otherLine).simplified()));
    for (const QString& p : positions) QVERIFY2(page.contains(p), qPrintable(p));

    // The clipboard's text, and the text report.
    const QString copied = ChartPlainText(chart);
    QCOMPARE(copied.startsWith(settingsLine + "\n"), !settings.IsDefault());
    for (const QString& p : positions) QVERIFY2(copied.contains(p), qPrintable(p));
    std::string report;
    cli::AppendChartText(report, chart);
    const QString text = Q(report);
    QCOMPARE(text.contains(settingsLine), !settings.IsDefault());
    QVERIFY(text.contains(headline));
    QVERIFY(text.contains(Q(words.otherLine)));
    for (const QString& p : positions) QVERIFY2(text.contains(p), qPrintable(p));

    // The JSON.
    std::string object;
    cli::AppendChartSchemaJson(object, chart);
    const QString jsonText = Q(object);
    QVERIFY2(jsonText.contains("\"settings\":{" + json + ","), qPrintable(jsonText));
    QVERIFY(jsonText.contains("\"induLagna\":{\"sign\":\"" + Q(InduLagnaSignName(chart)) + "\""));
    for (const QString& p : positions) QVERIFY2(jsonText.contains("\"" + p + "\""), qPrintable(p));
  }

  // PDF on A4 and Letter, and the printer's page: each renders, has the
  // page size asked for and carries every part of the page.
  void pdfPagesRenderAndHoldEverything_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("printer");
    QTest::addColumn<QString>("size");  // as pdfinfo reports it
    QTest::addColumn<int>("style");
    for (const ChartStyle style : kChartStyles) {
      const QString name = Q(ChartStyleKey(style));
      const int s = static_cast<int>(style);
      QTest::newRow(qPrintable("export A4, " + name))
          << int(QPageSize::A4) << false << "pts (A4)" << s;
      QTest::newRow(qPrintable("export Letter, " + name))
          << int(QPageSize::Letter) << false << "pts (letter)" << s;
      QTest::newRow(qPrintable("printer Letter, " + name))
          << int(QPageSize::Letter) << true << "pts (letter)" << s;
      QTest::newRow(qPrintable("printer A4, " + name))
          << int(QPageSize::A4) << true << "pts (A4)" << s;
    }
  }
  void pdfPagesRenderAndHoldEverything() {
    QFETCH(int, page);
    QFETCH(bool, printer);
    QFETCH(QString, size);
    QFETCH(int, style);
    const auto chartStyle = static_cast<ChartStyle>(style);
    const ChartOutput chart = ReferenceChart();
    const QString pdf = dir_.filePath("page.pdf");
    const QPageSize pageSize(static_cast<QPageSize::PageSizeId>(page));
    if (printer) {
      QPrinter p(QPrinter::HighResolution);
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdf);
      p.setPageSize(pageSize);
      PrintChart(p, chart, chartStyle);
    } else {
      QCOMPARE(ExportChartPdf(pdf, chart, pageSize, chartStyle), QString());
    }
    bool ok = false;
    const QString info = RunTool("pdfinfo", {pdf}, &ok);
    QVERIFY2(ok, "pdfinfo cannot read the PDF");
    const QString facts = info.simplified();
    QVERIFY2(facts.contains("Pages: 1 ") && facts.contains(size), qPrintable(info));
    RunTool("pdftoppm", {"-r", "40", "-png", pdf, dir_.filePath("render")}, &ok);
    QVERIFY2(ok, "pdftoppm cannot render the PDF");
    QImage rendered(dir_.filePath("render-1.png"));
    QVERIFY(!rendered.isNull());

    // Every part of the page, read back from the PDF's text.
    // Compatibility form: the font's ligatures (an "fi" drawn as one glyph) read as letters.
    const QString text = RunTool("pdftotext", {pdf, "-"}, &ok)
                             .normalized(QString::NormalizationForm_KC)
                             .simplified();
    QVERIFY(ok);
    QStringList expected = {
        "ARJUN MEHTA", Q(kDetailsHeading), Q(kPositionsHeading), Q(kChartHeading),
        Q(kAttributesHeading), "How the Indu Lagna was found", "Indu Lagna: Scorpio (Vrischika)",
        // The dasha: the balance, a mahadasha and one of its
        // antardashas (tests/cli/golden/delhi_text.out).
        "Vimshottari Dasha", "Jupiter dasha, 3 years 8 months 25 days left at birth",
        "Saturn 1984-03-10 \u2013 2003-03-11", "Venus 1990-12-31",
        // The wealth reading and a marked mahadasha (the same golden file).
        "Mars aspects the Indu Lagna with its 4th-house aspect",
        "Jupiter mahadasha 1968-03-10 \u2013 1984-03-10 gives: stands in the 10th from the Indu "
        "Lagna, an angle"};
    const std::optional<InduLagnaSteps> steps = ExplainInduLagna(chart);
    QVERIFY(steps);
    // The count's lines; the legend is the charts' own for the style.
    for (const std::string& line : ExplanationPlainText(*steps)) {
      if (line.find(kLegendTexts[2]) == std::string::npos) expected << Q(line).simplified();
    }
    for (const std::string& line : ChartLegend(chartStyle)) expected << Q(line);
    // Both charts with their titles and Indu Lagnas, and how the Navamsa's
    // was found (by hand in test_chart_layout: Pisces).
    expected << "Rasi (birth chart)"
             << "Navamsa (D9)"
             << "IL: Scorpio"
             << "Navamsa IL: Pisces"
             << "How the Navamsa Indu Lagna was found"
             << "Navamsa Indu Lagna: Pisces (Meena)";
    const std::optional<InduLagnaWords> navamsa = ExplainNavamsaInduLagna(chart);
    QVERIFY(navamsa);
    for (const std::string& line : navamsa->steps) expected << Q(line).simplified();
    for (const DetailCaption& d : kDetailCaptions)
      expected << Q(BirthDetailTextsOf(chart.birth).*d.text);
    for (int body = 0; body < kBodyCount; ++body) {
      expected << Q(kBodyWindowNames[static_cast<std::size_t>(body)])
               << Q(PositionWithMark(chart, body));
    }
    for (const AttributeValue& a : *chart.attributes) {
      // The long texts wrap over lines: their first words are enough.
      expected << Q(CaptionOf(a.attribute)) << Q(a.value).section(' ', 0, 3).simplified();
    }
    for (const QString& part : expected) {
      QVERIFY2(text.contains(part.normalized(QString::NormalizationForm_KC)),
               qPrintable("missing on the page: " + part));
    }
  }

  // The PNG has the requested size, a white page and the red Indu Lagna mark.
  void pngHasTheRequestedSize() {
    const ChartOutput chart = ReferenceChart();
    for (const QSize size : {QSize(1240, 1754), QSize(600, 849), QSize(2480, 3508)}) {
      const QString png = dir_.filePath("page.png");
      QCOMPARE(ExportChartPng(png, chart, size), QString());
      const QImage image(png);
      QCOMPARE(image.size(), size);
      QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
      int red = 0;
      for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
          const QColor c = image.pixelColor(x, y);
          if (c.red() > 150 && c.green() < 60 && c.blue() < 60) ++red;
        }
      }
      QVERIFY(red > 0);
    }
  }

  // The SVG is well-formed XML and holds the name and the sign as text.
  void svgIsWellFormed() {
    const QString svg = dir_.filePath("page.svg");
    QCOMPARE(ExportChartSvg(svg, ReferenceChart(), QSize(1240, 1754)), QString());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString text;
    bool root = false;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement() && !root) {
        QCOMPARE(xml.name().toString(), QString("svg"));
        root = true;
      }
      if (xml.isCharacters()) text += xml.text();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(text.contains("ARJUN MEHTA"));
    QVERIFY(text.contains("Scorpio"));
  }

  // A name or place of every hostile kind, imported from a births file, gives
  // in each style an SVG that reads back well-formed, with no script
  // element, no character XML forbids, and the name as the title's text,
  // U+FFFD for what XML cannot carry.
  void svgOfHostileNamesIsWellFormed_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("style");
    const QString fffd(QChar(0xFFFD));
    struct Row {
      const char* label;
      QByteArray name;
      QString title;
    };
    const QByteArray big(100 * 1024, 'x');
    const Row rows[] = {
        {"script", "</title><script>alert(document.domain)</script><title>",
         "</title><script>alert(document.domain)</script><title>"},
        {"lt", "A<B", "A<B"},
        {"amp", "A&B", "A&B"},
        {"quot", "A\"B", "A\"B"},
        {"apos", "A'B", "A'B"},
        {"cdata end", "A]]>B", "A]]>B"},
        {"processing instruction", "<?xml-stylesheet href=\"x\"?>",
         "<?xml-stylesheet href=\"x\"?>"},
        {"x01",
         "A\x01"
         "B",
         "A" + fffd + "B"},
        {"x08",
         "A\x08"
         "B",
         "A" + fffd + "B"},
        {"x0b",
         "A\x0B"
         "B",
         "A" + fffd + "B"},
        {"x0c",
         "A\x0C"
         "B",
         "A" + fffd + "B"},
        {"ESC", "A\x1B[31mB", "A" + fffd + "[31mB"},
        {"U+FFFE",
         "A\xEF\xBF\xBE"
         "B",
         "A" + fffd + "B"},
        {"U+FFFF",
         "A\xEF\xBF\xBF"
         "B",
         "A" + fffd + "B"},
        {"lone surrogate",
         "A\xED\xA0\x80"
         "B",
         "A" + fffd + fffd + fffd + "B"},
        {"xff",
         "A\xFF"
         "B",
         "A" + fffd + "B"},
        {"xc3 alone",
         "A\xC3"
         "B",
         "A" + fffd + "B"},
        {"100 KB", big, QString::fromLatin1(big)},
    };
    for (const Row& row : rows) {
      for (const ChartStyle style :
           {ChartStyle::SouthIndian, ChartStyle::NorthIndian, ChartStyle::EastIndian}) {
        QTest::addRow("%s, %s", row.label, ChartStyleKey(style).data())
            << row.name << row.title << static_cast<int>(style);
      }
    }
  }
  void svgOfHostileNamesIsWellFormed() {
    QFETCH(QByteArray, name);
    QFETCH(QString, title);
    QFETCH(int, style);
    ChartOutput chart = ReferenceChart();
    chart.birth.name = name.toStdString();
    chart.birth.city = name.toStdString();
    const QString svg = dir_.filePath("hostile.svg");
    QCOMPARE(ExportChart(svg, chart, static_cast<ChartStyle>(style)), QString());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString readTitle;
    bool inTitle = false;
    const auto forbidden = [](const QString& text) {
      for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE || c == 0xFFFF)
          return true;
        if (QChar::isHighSurrogate(c)) {
          if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode())) return true;
          ++i;
        } else if (QChar::isLowSurrogate(c)) {
          return true;
        }
      }
      return false;
    };
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isStartElement()) {
        QVERIFY2(xml.name().compare(QLatin1String("script"), Qt::CaseInsensitive) != 0,
                 "a script element");
        inTitle = xml.name() == QLatin1String("title");
        for (const QXmlStreamAttribute& a : xml.attributes())
          QVERIFY(!forbidden(a.value().toString()));
      } else if (xml.isEndElement()) {
        inTitle = false;
      } else if (xml.isCharacters()) {
        QVERIFY(!forbidden(xml.text().toString()));
        if (inTitle) readTitle += xml.text();
      }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(readTitle, "Orvanta - " + title);
  }

  // The file name chooses the format; any other ending is refused.
  void exportChoosesByTheFileName() {
    const ChartOutput chart = ReferenceChart();
    QCOMPARE(ExportChart(dir_.filePath("a.PNG"), chart), QString());
    QCOMPARE(QImage(dir_.filePath("a.PNG")).size(), QSize(kImagePageWidthPx, kImagePageHeightPx));
    QVERIFY(ExportChart(dir_.filePath("a.txt"), chart).contains("PDF, PNG or SVG"));
    QVERIFY(!QFile::exists(dir_.filePath("a.txt")));
    QVERIFY(
        ExportChart(dir_.filePath("no/such/folder/a.pdf"), chart).contains("cannot be written"));
  }

  // A write that fails part way (the page is tens of kilobytes; the disk or
  // the file size limit holds 4 KB) must leave the previous file whole.
  void failedWriteKeepsThePreviousFile_data() {
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("fullDisk");
    for (const char* suffix : {"pdf", "png", "svg"}) {
      QTest::addRow("%s, full disk", suffix) << suffix << true;
      QTest::addRow("%s, file size limit", suffix) << suffix << false;
    }
  }
  void failedWriteKeepsThePreviousFile() {
    QFETCH(QString, suffix);
    QFETCH(bool, fullDisk);
    const ChartOutput chart = ReferenceChart();
    const QString folder = dir_.filePath(suffix + (fullDisk ? "-full-disk" : "-size-limit"));
    testing::SmallDisk disk(folder, 64 * 1024);
    if (fullDisk && !disk.mounted()) QSKIP("a tmpfs can be mounted by root only");
    const QString path = QDir(folder).filePath("chart." + suffix);
    const QByteArray previous(4096, 'p');
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      QCOMPARE(old.write(previous), previous.size());
    }
    QString error;
    if (fullDisk) {
      disk.Fill("filler");
      error = ExportChart(path, chart);
    } else {
      const testing::FileSizeLimit limit(4096);
      error = ExportChart(path, chart);
    }
    QVERIFY2(error.contains("cannot be written"), qPrintable(error));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.readAll() == previous);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), fullDisk ? 2 : 1);
  }

  // The clipboard text: the details and positions, one per line, each
  // body's line with the positions table's nakshatra, pada and lord.
  void plainTextHasDetailsAndPositions() {
    const ChartOutput chart = ReferenceChart();
    const QStringList lines = ChartPlainText(chart).split('\n');
    QVERIFY(lines.contains("Name: ARJUN MEHTA"));
    QVERIFY(lines.contains("Date of Birth: " + Q(BirthDetailTextsOf(chart.birth).dateOfBirth)));
    QVERIFY(lines.contains("City: New Delhi"));
    for (int body = 0; body < kBodyCount; ++body) {
      const BodyPosition& p = chart.bodies[static_cast<std::size_t>(body)];
      const QString line = Q(kBodyWindowNames[static_cast<std::size_t>(body)]) + ": " +
                           Q(PositionWithMark(chart, body)) +
                           ", Nakshatra: " + Q(NakshatraName(p)) + ", Pada: " + Q(PadaText(p)) +
                           ", Lord: " + Q(NakshatraLordName(p));
      QVERIFY2(lines.contains(line), qPrintable(line));
    }
    // Worked by hand: the Sun at Gemini 0 40 stands in Mrigashira (Taurus
    // 23 20 .. Gemini 6 40), its third pada (Gemini 0 00 .. 3 20), lord
    // Mars; the Moon at Cancer 0 13 in Punarvasu (Gemini 20 00 .. Cancer
    // 3 20), its fourth pada, lord Jupiter.
    QVERIFY(lines.contains("Surya/Sun: 00 Gem 40, Nakshatra: Mrigashira, Pada: 3, Lord: Mars"));
    QVERIFY(
        lines.contains("Chandra/Moon: 00 Can 13, Nakshatra: Punarvasu, Pada: 4, Lord: Jupiter"));
    QVERIFY(lines.contains("Indu Lagna (IL): Scorpio"));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(TestChartPage)
#include "test_chart_page.moc"
