#include "gui/message_sink.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <vector>

#include "gui/ui_common.h"

namespace orvanta {

namespace {

// The folder the file dialogs open in: the user's documents, or the home
// folder where there is no documents folder (the dialog would otherwise
// open wherever the program was started from).
QString StartFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

void MessageBoxSink::Show(const QString& text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Information,
                  ProgramTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

int DialogQuestionSink::Ask(const QString& text, const QStringList& answers, int cancelAnswer) {
  QMessageBox box(QMessageBox::Question, ProgramTitle(), text, QMessageBox::NoButton,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  std::vector<QAbstractButton*> buttons;
  for (int i = 0; i < answers.size(); ++i) {
    const QMessageBox::ButtonRole role =
        i == cancelAnswer ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
    QPushButton* button = box.addButton(answers[i], role);
    if (i == 0) box.setDefaultButton(button);
    if (i == cancelAnswer) box.setEscapeButton(button);
    buttons.push_back(button);
  }
  box.exec();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  }
  return cancelAnswer;
}

QString DialogQuestionSink::FileToOpen(const QString& caption, const QString& filter) {
  return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, StartFolder(), filter);
}

QString DialogQuestionSink::FileToSave(const QString& caption, const QString& suggestedName,
                                       const QString& filter) {
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption,
                                      StartFolder() + QLatin1Char('/') + suggestedName, filter);
}

}  // namespace orvanta
