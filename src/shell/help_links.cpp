#include "shell/help_links.h"

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

}  // namespace orvanta
