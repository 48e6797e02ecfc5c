#include "gui/help_links.h"

#include <QDesktopServices>
#include <QUrlQuery>
#include <utility>

namespace orvanta {
namespace {

QUrl UrlOf(std::string_view address) {
  return QUrl(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())),
              QUrl::StrictMode);
}

}  // namespace

UrlOpener DesktopOpener() {
  // The result is not examined: a page that cannot be opened gives no message.
  return [](const QUrl& url) { QDesktopServices::openUrl(url); };
}

HelpLinks::HelpLinks(UrlOpener opener) : opener_(std::move(opener)) {}

void HelpLinks::Open(std::string_view address) const {
  opener_(UrlOf(address));
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
  opener_(PlaceSearchUrl(query));
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
