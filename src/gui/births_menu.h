// The commands that keep, print and share charts, as the File and Edit
// menus offer them: Save Birth, Open Birth, the five most recent births,
// Import and Export of births as batch files, Export Chart, Print and Copy.
//
// The commands move values between the windows, the births database and the
// chart page; questions and messages go through the injected sinks.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "gui/births_db.h"
#include "io/birth_entries.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace orvanta {

class FrmMain;
class MdiWindow;
class MessageSink;
class QuestionSink;

inline constexpr int kRecentBirthCount = 5;

class BirthsMenu : public QObject {
  Q_OBJECT
 public:
  BirthsMenu(const QString& databasePath, FrmMain& form, MessageSink& messages,
             QuestionSink& questions, QObject* parent = nullptr);

  BirthsDb& db() { return db_; }

  // Adds the births commands to a window's File menu, before its Exit.
  void AddBirthCommands(QWidget* window);
  // Adds Export Chart, Print and the Edit menu's Copy to a main window.
  void AddChartCommands(MdiWindow* window);
  // The chart that Export Chart, Print and Copy use.
  void SetChart(const ChartOutput& chart) { chart_ = chart; }

  void SaveBirth();
  void OpenBirth();
  // Fills the form with a saved birth and computes it.
  void OpenSaved(qint64 id);
  void ImportBirths();
  void ExportBirths();
  void ExportChart();
  void PrintChart();
  void CopyChart();

 private:
  void FillRecent(QMenu* file, QAction* before);
  void SavingOff();

  BirthsDb db_;
  FrmMain& form_;
  MessageSink& messages_;
  QuestionSink& questions_;
  std::optional<ChartOutput> chart_;
};

}  // namespace orvanta
