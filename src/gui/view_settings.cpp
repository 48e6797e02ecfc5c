#include "gui/view_settings.h"

#include <QSettings>
#include <QString>
#include <memory>

namespace orvanta {
namespace {

constexpr char kStyleKey[] = "view/chartStyle";

std::unique_ptr<QSettings> ViewSettings() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                     QStringLiteral("orvanta"), QStringLiteral("orvanta"));
}

}  // namespace

ChartStyle SavedChartStyle() {
  const QString key = ViewSettings()->value(QLatin1String(kStyleKey)).toString();
  return ChartStyleOfKey(key.toStdString()).value_or(ChartStyle::SouthIndian);
}

void SaveChartStyle(ChartStyle style) {
  const std::string_view key = ChartStyleKey(style);
  ViewSettings()->setValue(QLatin1String(kStyleKey),
                           QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
}

}  // namespace orvanta
