#include "gui/help_links.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QUrlQuery>
#include <utility>

namespace orvanta {
namespace {

QUrl UrlOf(std::string_view address) {
  return QUrl(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())),
              QUrl::StrictMode);
}

// Says `message` in the active window: on its status line when it has one,
// else in a message over it that does not stop the program.
void SayInActiveWindow(const QString& message) {
  QWidget* window = QApplication::activeWindow();
  if (window == nullptr) return;
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    main->statusBar()->showMessage(message);
    return;
  }
  if (auto* status = window->findChild<QStatusBar*>()) {
    status->showMessage(message);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Information, window->windowTitle(), message,
                              QMessageBox::Ok, window);
  box->setObjectName(QStringLiteral("msgCannotOpenPage"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace

UrlOpener DesktopOpener() {
  return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

QString CannotOpenPageMessage(const QUrl& url) {
  return QStringLiteral("The page %1 cannot be opened: no web browser took it.")
      .arg(url.toDisplayString());
}

HelpLinks::HelpLinks(UrlOpener opener) : opener_(std::move(opener)) {}

bool HelpLinks::OpenUrl(const QUrl& url) const {
  if (opener_(url)) return true;
  SayInActiveWindow(CannotOpenPageMessage(url));
  return false;
}

void HelpLinks::Open(std::string_view address) const {
  OpenUrl(UrlOf(address));
}

void HelpLinks::OpenOnlineHelp() const {
  Open(HelpAddresses::kOnlineHelp);
}
void HelpLinks::OpenDownloadPage() const {
  Open(HelpAddresses::kDownload);
}
void HelpLinks::OpenHomePage() const {
  Open(HelpAddresses::kForumHome);
}
void HelpLinks::OpenFullBrandPage() const {
  Open(HelpAddresses::kFullBrand);
}
void HelpLinks::OpenCoBrandPage() const {
  Open(HelpAddresses::kCoBrand);
}

QUrl HelpLinks::PlaceSearchUrl(const QString& query) {
  QUrl url = UrlOf(HelpAddresses::kPlaceSearch);
  // Encode everything outside the unreserved set ourselves: QUrlQuery would
  // leave "&", "=", "#" and "+" of a typed text ambiguous in the query.
  const auto encode = [](const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
  };
  const QString site =
      QString::fromUtf8(HelpAddresses::kPlaceSearchSite.data(),
                        static_cast<qsizetype>(HelpAddresses::kPlaceSearchSite.size()));
  url.setQuery(QStringLiteral("q=") + encode(query) + QStringLiteral("&site=") + encode(site),
               QUrl::StrictMode);
  return url;
}

void HelpLinks::OpenPlaceSearch(const QString& query) const {
  OpenUrl(PlaceSearchUrl(query));
}

QAction* NamedAction(const char* name, const QString& text, QObject* parent) {
  auto* action = new QAction(text, parent);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

void AddHelpMenus(QMenuBar* bar, const HelpLinks& help, const HelpMenuNames& names,
                  std::function<void()> about, std::function<void()> manual) {
  QMenu* helpMenu = bar->addMenu(QStringLiteral("&Help"));
  helpMenu->setObjectName(QStringLiteral("mnuHelp"));
  // The manual shipped with the program, readable without a network. The
  // action lives on the window, so F1 works wherever the focus is in it.
  QAction* manualAction = NamedAction("mnuManual", QStringLiteral("Orvanta Help"), bar);
  manualAction->setShortcut(QKeySequence::HelpContents);
  manualAction->setShortcutContext(Qt::WindowShortcut);
  QObject::connect(manualAction, &QAction::triggered, bar, std::move(manual));
  helpMenu->addAction(manualAction);
  if (QWidget* window = bar->window()) window->addAction(manualAction);
  QAction* online = NamedAction("mnuOnline", QStringLiteral("&Online Help"), bar);
  QObject::connect(online, &QAction::triggered, bar, [&help] { help.OpenOnlineHelp(); });
  helpMenu->addAction(online);
  QAction* visit = NamedAction("mnuVisit", QStringLiteral("&Visit Us Online"), bar);
  QObject::connect(visit, &QAction::triggered, bar, [&help] { help.OpenHomePage(); });
  helpMenu->addAction(visit);
  helpMenu->addSeparator()->setObjectName(QString::fromLatin1(names.separator1));
  QAction* update = NamedAction("mnuUpdate", QStringLiteral("Check for Software &Update"), bar);
  QObject::connect(update, &QAction::triggered, bar, [&help] { help.OpenDownloadPage(); });
  helpMenu->addAction(update);
  helpMenu->addSeparator()->setObjectName(QString::fromLatin1(names.separator2));
  QAction* aboutAction = NamedAction("mnuAbout", QStringLiteral("&About Software"), bar);
  QObject::connect(aboutAction, &QAction::triggered, bar, std::move(about));
  helpMenu->addAction(aboutAction);

  QAction* money = NamedAction(names.makeMoney, QStringLiteral("Make Money &Online"), bar);
  QObject::connect(money, &QAction::triggered, bar, [&help] { help.OpenFullBrandPage(); });
  bar->addAction(money);
}

}  // namespace orvanta
