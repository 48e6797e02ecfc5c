#include "gui/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>

#include "gui/ui_common.h"

namespace orvanta {

QString ManualPath(const QString& dataDir) {
  return QDir(dataDir).filePath(QStringLiteral("help/index.html"));
}

HelpWindow::HelpWindow(const QString& manualPath, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(QStringLiteral("Orvanta Help"));
  setWindowIcon(ProgramIcon());

  contents_ = new QListWidget(this);
  contents_->setObjectName(QStringLiteral("helpContents"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  browser_->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 620});
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);

  QFile file(manualPath);
  if (!file.open(QIODevice::ReadOnly)) {
    browser_->setPlainText(QStringLiteral("The manual was not found at ") + manualPath);
  } else {
    const QString html = QString::fromUtf8(file.readAll());
    browser_->setSearchPaths({QFileInfo(manualPath).absolutePath()});
    browser_->setHtml(html);
    // The table of contents: every <h2 id="..."> section of the manual.
    static const QRegularExpression kSection(QStringLiteral("<h2 id=\"([^\"]+)\">(.*?)</h2>"),
                                             QRegularExpression::DotMatchesEverythingOption);
    for (auto it = kSection.globalMatch(html); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      auto* item = new QListWidgetItem(m.captured(2), contents_);
      item->setData(Qt::UserRole, m.captured(1));
    }
  }
  connect(contents_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item != nullptr) browser_->scrollToAnchor(item->data(Qt::UserRole).toString());
  });
  resize(860, 600);
}

}  // namespace orvanta
