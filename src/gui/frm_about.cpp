#include "gui/frm_about.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/help_links.h"
#include "gui/ui_common.h"

namespace orvanta {

FrmAbout::FrmAbout(const HelpLinks& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(ProgramTitle());
  setModal(true);
  setFont(LabelFont(12));

  auto* picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(ProgramIcon().pixmap(48, 48));
  picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  auto* label2 = new QLabel(ProgramTitle(), this);
  label2->setObjectName(QStringLiteral("Label2"));
  label2->setFont(LabelFont(16, true));

  auto* label1 = new QLabel(
      QStringLiteral("Orvanta is a special Lagna (Ascendant) calculated on the basis of Vedic "
                     "Astrology. This Lagna shows the amount of money and wealth you will acquire "
                     "in your lifetime."),
      this);
  label1->setObjectName(QStringLiteral("Label1"));
  label1->setWordWrap(true);

  auto* line1 = new QFrame(this);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);

  auto* lblHomePage = new LinkLabel(QStringLiteral("Visit the Orvanta forum"), this);
  lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
  connect(lblHomePage, &LinkLabel::clicked, this, [&help] { help.OpenHomePage(); });

  auto* label3 = new QLabel(
      QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                     "online. Get this software fully branded for your website. "),
      this);
  label3->setObjectName(QStringLiteral("Label3"));
  label3->setWordWrap(true);

  auto* lblCoBrand = new LinkLabel(QStringLiteral("Click here for more details."), this);
  lblCoBrand->setObjectName(QStringLiteral("lblCoBrand"));
  connect(lblCoBrand, &LinkLabel::clicked, this, [&help] { help.OpenFullBrandPage(); });

  // The licence of the program and the credit the atlas's data asks for.
  auto* lblLicence = new QLabel(
      QStringLiteral("Orvanta is free software under the GNU General Public License, version 3 "
                     "or later. Birth places from GeoNames (geonames.org), licensed under "
                     "Creative Commons Attribution 4.0 (CC BY 4.0)."),
      this);
  lblLicence->setObjectName(QStringLiteral("lblLicence"));
  lblLicence->setWordWrap(true);
  lblLicence->setFont(LabelFont(9));

  auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(label2);
  text->addWidget(label1);
  text->addWidget(line1);
  text->addWidget(lblHomePage);
  text->addWidget(label3);
  text->addWidget(lblCoBrand);
  text->addWidget(lblLicence);

  auto* top = new QHBoxLayout;
  top->addWidget(picIcon);
  top->addLayout(text, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  setFixedWidth(420);
  // The box opens with OK focused: Enter closes it, and a link is reached
  // only by Tab or the mouse, never opened by a key meant to close.
  setTabOrder(cmdOK, lblHomePage);
  setTabOrder(lblHomePage, lblCoBrand);
  cmdOK->setFocus();
}

}  // namespace orvanta
