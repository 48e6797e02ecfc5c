// Test doubles and helpers shared by the desktop program's tests and benchmarks: a message
// sink and a page opener that record instead of showing, and lookups of
// controls by their names.
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <vector>

#include "gui/frm_main.h"
#include "gui/help_links.h"
#include "gui/message_sink.h"
#include "gui/shell.h"
#include "gui/single_instance.h"
#include "support/reference_births.h"

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

// Records the pages; `opens` false plays a system where no browser takes them.
struct RecordingOpener {
  std::vector<QUrl> opened;
  bool opens = true;
  UrlOpener opener() {
    return [this](const QUrl& url) {
      opened.push_back(url);
      return opens;
    };
  }
};

// The control named `name` inside `root`; fails the test when it is missing.
template <typename T>
T* Control(const QObject* root, const char* name) {
  T* control = root->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qWarning("no control named %s", name);
  return control;
}

// The control named `name` inside `root`, which the test cannot go on without.
template <typename T>
T* get(const QObject* root, const char* name) {
  T* control = Control<T>(root, name);
  if (control == nullptr) qFatal("control %s missing", name);
  return control;
}

// The entries of a menu as the user reads them, "-" for a separator.
inline QStringList MenuTexts(const QMenu* menu) {
  QStringList texts;
  for (const QAction* a : menu->actions()) texts << (a->isSeparator() ? "-" : a->text());
  return texts;
}

inline void Activate(QWidget* window) {
  window->show();
  window->activateWindow();
  QApplication::setActiveWindow(window);
  (void)QTest::qWaitForWindowActive(window);
}

// One program for one test: its own single-instance lock in a temporary
// folder, a recording message sink and page opener, and the shell itself.
// Members are destroyed in reverse order, so the shell goes before its lock.
struct ProgramUnderTest {
  explicit ProgramUnderTest(std::function<void()> endProgram = [] {})
      : guard(lockDir.filePath("orvanta.lock")),
        shell(sink, pages.opener(), std::move(endProgram)) {}

  // Shows the birth-data form; false when the lock refused the start.
  bool Start() { return shell.Start(guard); }

  // Fills the form with the project's reference birth (New Delhi, 15 June
  // 1980, 10:30 IST).
  void EnterReferenceBirth() { shell.form()->SetEntries(reference::DelhiBirth()); }

  QTemporaryDir lockDir;
  SingleInstanceGuard guard;
  RecordingSink sink;
  RecordingOpener pages;
  Shell shell;
};

}  // namespace orvanta::testing
