// The offline manual: the HTML document shipped in the data folder
// (help/index.html), shown in a window of its own with a table of contents
// built from the document's sections. Links to web pages open in the
// browser; the manual itself needs no network.
#pragma once

#include <QString>
#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace orvanta {

// Path of the manual inside a data folder.
QString ManualPath(const QString& dataDir);

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  // Loads the manual from `manualPath`; a manual that cannot be read shows
  // a line that says where it was looked for.
  explicit HelpWindow(const QString& manualPath, QWidget* parent = nullptr);

  QListWidget* contents() const { return contents_; }
  QTextBrowser* browser() const { return browser_; }

 private:
  QListWidget* contents_ = nullptr;
  QTextBrowser* browser_ = nullptr;
};

}  // namespace orvanta
