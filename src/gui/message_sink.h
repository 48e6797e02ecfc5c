// Where the program's few messages go. Every refusal, the place-lookup
// messages and the second-instance notice pass through one MessageSink, so
// that a test can read the text and icon without a modal box blocking it.
#pragma once

#include <QString>
#include <QStringList>

#include "io/validation.h"

class QWidget;

namespace orvanta {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows the message and returns when the user has acknowledged it.
  virtual void Show(const QString& text, MessageIcon icon) = 0;
};

// The real one: a modal message box with the program title, the icon and an
// OK button, over the active window.
class MessageBoxSink final : public MessageSink {
 public:
  void Show(const QString& text, MessageIcon icon) override;
};

// Where the program's questions go: the choices of a message box and the
// file dialogs. A test answers them without a modal window blocking it.
class QuestionSink {
 public:
  virtual ~QuestionSink() = default;
  // Asks with one button per answer (the first is the default) and returns
  // the index of the answer chosen; closing the box gives `cancelAnswer`.
  virtual int Ask(const QString& text, const QStringList& answers, int cancelAnswer) = 0;
  // A file to read, or empty when the user cancelled.
  virtual QString FileToOpen(const QString& caption, const QString& filter) = 0;
  // A file to write (the dialog has asked about replacing it), or empty.
  virtual QString FileToSave(const QString& caption, const QString& suggestedName,
                             const QString& filter) = 0;
};

// The real one: a modal question box and the platform's file dialogs.
class DialogQuestionSink final : public QuestionSink {
 public:
  int Ask(const QString& text, const QStringList& answers, int cancelAnswer) override;
  QString FileToOpen(const QString& caption, const QString& filter) override;
  QString FileToSave(const QString& caption, const QString& suggestedName,
                     const QString& filter) override;
};

}  // namespace orvanta
