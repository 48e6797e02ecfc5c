// Test doubles and helpers shared by the desktop program's tests: a message
// sink and a page opener that record instead of showing, and lookups of
// controls by their names.
#pragma once

#include <QApplication>
#include <QString>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "shell/help_links.h"
#include "shell/message_sink.h"

namespace orvanta::testing {

struct ShownMessage {
  QString text;
  MessageIcon icon;
};

class RecordingSink final : public MessageSink {
 public:
  void Show(const QString& text, MessageIcon icon) override { shown.push_back({text, icon}); }
  std::vector<ShownMessage> shown;
};

struct RecordingOpener {
  std::vector<QUrl> opened;
  UrlOpener opener() {
    return [this](const QUrl& url) { opened.push_back(url); };
  }
};

// The control named `name` inside `root`; fails the test when it is missing.
template <typename T>
T* Control(const QObject* root, const char* name) {
  T* control = root->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qWarning("no control named %s", name);
  return control;
}

inline void Activate(QWidget* window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  (void)QTest::qWaitForWindowActive(window);
}

}  // namespace orvanta::testing
