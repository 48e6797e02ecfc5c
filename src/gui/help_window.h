// The offline manual: the HTML document shipped in the data folder
// (help/index.html), shown in a window of its own with a table of contents
// built from the document's sections. Links to web pages open in the
// browser, and one that cannot be opened is said on the window's status
// line; the manual itself needs no network. Escape, Ctrl+W and the Close
// button close the window.
#pragma once

#include <QString>
#include <QWidget>

class QListWidget;
class QStatusBar;
class QTextBrowser;

namespace orvanta {

class HelpLinks;

// Path of the manual inside a data folder.
QString ManualPath(const QString& dataDir);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // Loads the manual from `manualPath`; a manual that cannot be read shows
  // a line that says where it was looked for. Web pages open through
  // `links` (the desktop's browser when null).
  explicit HelpWindow(const QString& manualPath, const HelpLinks* links = nullptr,
                      QWidget* parent = nullptr);

  QListWidget* contents() const { return contents_; }
  QTextBrowser* browser() const { return browser_; }
  QStatusBar* statusLine() const { return status_; }

 private:
  void LinkClicked(const QUrl& url);

  const HelpLinks* links_;
  QListWidget* contents_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  QStatusBar* status_ = nullptr;
};

}  // namespace orvanta
