#include "gui/help_window.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/help_links.h"
#include "gui/ui_common.h"

namespace orvanta {

QString ManualPath(const QString& dataDir) {
  return QDir(dataDir).filePath(QStringLiteral("help/index.html"));
}

HelpWindow::HelpWindow(const QString& manualPath, const HelpLinks* links, QWidget* parent)
    : QWidget(parent, Qt::Window), links_(links) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(QStringLiteral("Orvanta Help"));
  setWindowIcon(ProgramIcon());

  contents_ = new QListWidget(this);
  contents_->setObjectName(QStringLiteral("helpContents"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("helpBrowser"));
  // Every link comes to LinkClicked, so that one that fails is said here.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::LinkClicked);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 620});
  status_ = new QStatusBar(this);
  status_->setObjectName(QStringLiteral("helpStatus"));
  status_->setSizeGripEnabled(false);
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  close->setObjectName(QStringLiteral("cmdClose"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  status_->addPermanentWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter, 1);
  layout->addWidget(status_);
  for (const QKeySequence& keys :
       {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, &QWidget::close);
  }

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

void HelpWindow::LinkClicked(const QUrl& url) {
  // A section of the manual itself.
  if (url.isRelative() && url.path().isEmpty() && url.hasFragment()) {
    browser_->scrollToAnchor(url.fragment());
    return;
  }
  status_->clearMessage();
  if (links_ != nullptr) {
    links_->OpenUrl(url);
  } else if (!QDesktopServices::openUrl(url)) {
    status_->showMessage(CannotOpenPageMessage(url));
  }
}

}  // namespace orvanta
