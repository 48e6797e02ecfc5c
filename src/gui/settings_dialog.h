// The Settings dialog: the ayanamsa, the node Rahu and Ketu stand at, and
// the Indu Lagna's rule and the dasha's year, chosen from lists whose captions come from the
// core (chart/settings.h), and the script the names are shown in
// (tables/names.h); and how the choices are kept across restarts.
//
// The dialog only moves values between its lists and a CalculationSettings;
// the shell applies them to its session and recomputes the shown chart.
#pragma once

#include <QDialog>

#include "chart/settings.h"
#include "tables/names.h"

class QComboBox;
class QSettings;

namespace orvanta {

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsDialog(const CalculationSettings& current,
                          NameScript names = NameScript::English, QWidget* parent = nullptr);

  // The choices as the lists stand.
  CalculationSettings Chosen() const;
  NameScript ChosenNames() const;

 private:
  QComboBox* ayanamsa_ = nullptr;
  QComboBox* node_ = nullptr;
  QComboBox* induLagnaRule_ = nullptr;
  QComboBox* dashaYear_ = nullptr;
  QComboBox* names_ = nullptr;
};

// The settings kept in `store` under "calculation/"; a missing or unknown
// value is the default.
CalculationSettings LoadCalculationSettings(const QSettings& store);
void SaveCalculationSettings(QSettings& store, const CalculationSettings& settings);
// The script of the names, kept in `store` as "view/names"; English when
// missing or unknown.
NameScript LoadNameScript(const QSettings& store);
void SaveNameScript(QSettings& store, NameScript names);

}  // namespace orvanta
