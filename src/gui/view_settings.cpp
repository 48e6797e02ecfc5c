#include "gui/view_settings.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <cerrno>
#include <memory>

#include "gui/settings_dialog.h"

namespace orvanta {
namespace {

constexpr char kStyleKey[] = "view/chartStyle";
constexpr char kSpecialLagnasKey[] = "view/specialLagnas";
constexpr char kTwoLetterKey[] = "view/twoLetterLabels";
constexpr char kDegreesKey[] = "view/degreesInCells";

// The settings, or none when the file may not be opened.
std::unique_ptr<QSettings> ViewSettings() {
  const QString path = SettingsFilePath();
  if (!SettingsFileUsable(path)) return nullptr;
  return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

}  // namespace

QString SettingsFilePath() {
  // A QSettings reads its file as it is made, so the folder is asked of one
  // on a file that is never there; the settings file lies beside it.
  const QString probe = QSettings(QSettings::IniFormat, QSettings::UserScope,
                                  QStringLiteral("orvanta"), QStringLiteral("orvanta-folder-probe"))
                            .fileName();
  return QFileInfo(probe).absolutePath() + QStringLiteral("/orvanta.ini");
}

bool SettingsFileUsable(const QString& path) {
  struct stat st {};
  // stat() follows a link and never opens the file, so a pipe does not block it.
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode);
}

ChartStyle SavedChartStyle() {
  const std::unique_ptr<QSettings> store = ViewSettings();
  if (!store) return ChartStyle::SouthIndian;
  const QString key = store->value(QLatin1String(kStyleKey)).toString();
  return ChartStyleOfKey(key.toStdString()).value_or(ChartStyle::SouthIndian);
}

void SaveChartStyle(ChartStyle style) {
  const std::string_view key = ChartStyleKey(style);
  const std::unique_ptr<QSettings> store = ViewSettings();
  if (!store) return;
  store->setValue(QLatin1String(kStyleKey),
                  QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
}

bool SavedSpecialLagnas() {
  const std::unique_ptr<QSettings> store = ViewSettings();
  return store && store->value(QLatin1String(kSpecialLagnasKey), false).toBool();
}

void SaveSpecialLagnas(bool shown) {
  const std::unique_ptr<QSettings> store = ViewSettings();
  if (store) store->setValue(QLatin1String(kSpecialLagnasKey), shown);
}

NameChoice SavedNameChoice() {
  NameChoice names;
  const std::unique_ptr<QSettings> store = ViewSettings();
  if (!store) return names;
  names.script = LoadNameScript(*store);
  names.twoLetterLabels = store->value(QLatin1String(kTwoLetterKey), false).toBool();
  names.degreesInCells = store->value(QLatin1String(kDegreesKey), false).toBool();
  return names;
}

void SaveTwoLetterLabels(bool shown) {
  const std::unique_ptr<QSettings> store = ViewSettings();
  if (store) store->setValue(QLatin1String(kTwoLetterKey), shown);
}

void SaveDegreesInCells(bool shown) {
  const std::unique_ptr<QSettings> store = ViewSettings();
  if (store) store->setValue(QLatin1String(kDegreesKey), shown);
}

}  // namespace orvanta
