// The web pages the program opens: online help, download page, forum, the
// two branded-edition pages, and the place search of the birth-data form.
//
// Every address lives in the one table below. Each page has its own
// procedure; it hands the address to the opener and returns at once, reading
// nothing back from the page. The opener is injectable so that tests can
// record the addresses; the program's opener is QDesktopServices::openUrl.
// A page that no browser takes is said in the window the user is in: on its
// status line, or in a message over a window that has none.
#pragma once

#include <QAction>
#include <QMenuBar>
#include <QString>
#include <QUrl>
#include <functional>
#include <string_view>

namespace orvanta {

// The program's own pages, under a placeholder host that reaches no
// stranger's site.
struct HelpAddresses {
  static constexpr std::string_view kOnlineHelp = "https://orvanta.example/help/";
  static constexpr std::string_view kDownload = "https://orvanta.example/download/";
  static constexpr std::string_view kForumHome = "https://forum.orvanta.example/";
  static constexpr std::string_view kFullBrand = "https://orvanta.example/help/fully-branded.html";
  static constexpr std::string_view kCoBrand = "https://orvanta.example/help/co-brand.html";
  // The place search: the query goes into the parameter "q", the site the
  // search is made for into "site".
  static constexpr std::string_view kPlaceSearch = "https://search.orvanta.example/";
  static constexpr std::string_view kPlaceSearchSite = "https://orvanta.example/";
};

// Hands a page to a browser; false when none took it.
using UrlOpener = std::function<bool(const QUrl&)>;

// QDesktopServices::openUrl: the browser opens and control returns at once.
UrlOpener DesktopOpener();

class HelpLinks {
 public:
  explicit HelpLinks(UrlOpener opener = DesktopOpener());

  void OpenOnlineHelp() const;
  void OpenDownloadPage() const;
  void OpenHomePage() const;
  void OpenFullBrandPage() const;
  void OpenCoBrandPage() const;

  // A web search for the query text. The query is a parameter value, so
  // whatever the user typed is percent-encoded and cannot change the address.
  void OpenPlaceSearch(const QString& query) const;

  // The search address OpenPlaceSearch opens for a query.
  static QUrl PlaceSearchUrl(const QString& query);

  // Opens any page (a link of the manual); false, and said in the active
  // window, when it could not be opened.
  bool OpenUrl(const QUrl& url) const;

 private:
  void Open(std::string_view address) const;
  UrlOpener opener_;
};

// What the user reads when `url` could not be opened.
QString CannotOpenPageMessage(const QUrl& url);

// A menu command with its control name.
QAction* NamedAction(const char* name, const QString& text, QObject* parent);

// Object names of the pieces both windows' help menus share but name
// differently.
struct HelpMenuNames {
  const char* separator1;  // after "&Visit Us Online"
  const char* separator2;  // after "Check for Software &Update"
  const char* makeMoney;   // the "Make Money &Online" command on the bar
};

// Adds "&Help" (the offline manual "Orvanta Help" on F1, online help, the
// forum, the update check, the About box) and the "Make Money &Online"
// command to a window's menu bar. `about` shows the About box, `manual` the
// manual; every page opens through `help`, which must outlive the bar.
void AddHelpMenus(QMenuBar* bar, const HelpLinks& help, const HelpMenuNames& names,
                  std::function<void()> about, std::function<void()> manual);

}  // namespace orvanta
