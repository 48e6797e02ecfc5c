#include "gui/message_sink.h"

#include <QApplication>
#include <QMessageBox>

#include "gui/ui_common.h"

namespace orvanta {

void MessageBoxSink::Show(const QString& text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                  ProgramTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace orvanta
