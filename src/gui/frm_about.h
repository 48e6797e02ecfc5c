// The About box: program name, a sentence on the Indu Lagna, the forum link
// and the branded-edition offer. Shown modally from the Help menus.
#pragma once

#include <QDialog>

namespace orvanta {

class HelpLinks;

class FrmAbout : public QDialog {
  Q_OBJECT
 public:
  FrmAbout(const HelpLinks& help, QWidget* parent = nullptr);
};

}  // namespace orvanta
