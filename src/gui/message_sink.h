// Where the program's few messages go. Every refusal, the place-lookup
// messages and the second-instance notice pass through one MessageSink, so
// that a test can read the text and icon without a modal box blocking it.
#pragma once

#include <QString>

#include "chart/validation.h"

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

}  // namespace orvanta
