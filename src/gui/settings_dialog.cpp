#include "gui/settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>
#include <QVBoxLayout>

#include "gui/ui_common.h"

namespace orvanta {

namespace {

constexpr char kAyanamsaKey[] = "calculation/ayanamsa";
constexpr char kNodeKey[] = "calculation/node";
constexpr char kInduLagnaRuleKey[] = "calculation/induLagnaRule";
constexpr char kDashaYearKey[] = "calculation/dashaYear";
constexpr char kNamesKey[] = "view/names";

// A list of `choices` with their captions, the item data the index into
// `choices`, showing `current`.
template <typename Choice, std::size_t N, typename Caption>
QComboBox* ChoiceList(const char* name, const std::array<Choice, N>& choices, Choice current,
                      Caption caption, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  for (std::size_t i = 0; i < N; ++i) {
    list->addItem(Text(caption(choices[i])));
    if (choices[i] == current) list->setCurrentIndex(static_cast<int>(i));
  }
  return list;
}

template <typename Choice, std::size_t N>
Choice ChoiceAt(const std::array<Choice, N>& choices, const QComboBox* list) {
  const int index = list->currentIndex();
  return index >= 0 && index < static_cast<int>(N) ? choices[static_cast<std::size_t>(index)]
                                                   : choices[0];
}

std::string StoredName(const QSettings& store, const char* key) {
  return store.value(QString::fromLatin1(key)).toString().toStdString();
}

QString NameText(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

SettingsDialog::SettingsDialog(const CalculationSettings& current, NameScript names,
                               QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Settings"));
  ayanamsa_ = ChoiceList("cboAyanamsa", kAyanamsaChoices, current.ayanamsa, AyanamsaCaption, this);
  node_ = ChoiceList("cboNode", kNodeChoices, current.node, NodeCaption, this);
  induLagnaRule_ = ChoiceList("cboInduLagnaRule", kInduLagnaRules, current.induLagnaRule,
                              InduLagnaRuleCaption, this);
  dashaYear_ =
      ChoiceList("cboDashaYear", kDashaYearChoices, current.dashaYear, DashaYearCaption, this);
  names_ = ChoiceList("cboNames", kNameScripts, names, NameScriptCaption, this);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Ayanamsa:"), ayanamsa_);
  form->addRow(QStringLiteral("&Rahu and Ketu:"), node_);
  form->addRow(QStringLiteral("&Indu Lagna rule:"), induLagnaRule_);
  form->addRow(QStringLiteral("&Dasha year:"), dashaYear_);
  // The captions stay English for now; the new ones go through tr() so that
  // a translation can follow.
  form->addRow(tr("&Names:"), names_);

  auto* note = new QLabel(
      QStringLiteral("The chart shown is computed again with the new settings. They are kept "
                     "for the next start."),
      this);
  note->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
  ayanamsa_->setFocus();
}

CalculationSettings SettingsDialog::Chosen() const {
  CalculationSettings s;
  s.ayanamsa = ChoiceAt(kAyanamsaChoices, ayanamsa_);
  s.node = ChoiceAt(kNodeChoices, node_);
  s.induLagnaRule = ChoiceAt(kInduLagnaRules, induLagnaRule_);
  s.dashaYear = ChoiceAt(kDashaYearChoices, dashaYear_);
  return s;
}

NameScript SettingsDialog::ChosenNames() const {
  return ChoiceAt(kNameScripts, names_);
}

CalculationSettings LoadCalculationSettings(const QSettings& store) {
  CalculationSettings s;
  if (const auto a = AyanamsaChoiceFromName(StoredName(store, kAyanamsaKey))) s.ayanamsa = *a;
  if (const auto n = NodeChoiceFromName(StoredName(store, kNodeKey))) s.node = *n;
  if (const auto r = InduLagnaRuleFromName(StoredName(store, kInduLagnaRuleKey))) {
    s.induLagnaRule = *r;
  }
  if (const auto y = dasha::YearLengthFromName(StoredName(store, kDashaYearKey))) {
    s.dashaYear = *y;
  }
  return s;
}

void SaveCalculationSettings(QSettings& store, const CalculationSettings& s) {
  store.setValue(QString::fromLatin1(kAyanamsaKey), NameText(AyanamsaChoiceName(s.ayanamsa)));
  store.setValue(QString::fromLatin1(kNodeKey), NameText(NodeChoiceName(s.node)));
  store.setValue(QString::fromLatin1(kInduLagnaRuleKey),
                 NameText(InduLagnaRuleName(s.induLagnaRule)));
  store.setValue(QString::fromLatin1(kDashaYearKey), NameText(dasha::YearLengthName(s.dashaYear)));
  store.sync();
}

NameScript LoadNameScript(const QSettings& store) {
  return NameScriptOfKey(StoredName(store, kNamesKey)).value_or(NameScript::English);
}

void SaveNameScript(QSettings& store, NameScript names) {
  store.setValue(QString::fromLatin1(kNamesKey), NameText(NameScriptKey(names)));
  store.sync();
}

}  // namespace orvanta
