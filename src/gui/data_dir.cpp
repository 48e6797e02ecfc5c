#include "gui/data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// Both paths are relative to the executable's folder; CMake passes them in
// (ORVANTA_DATA_FROM_BIN: bin to share/orvanta as installed,
// ORVANTA_DATA_FROM_BUILD: the program's build folder to the build's copy).
#ifndef ORVANTA_DATA_FROM_BIN
#error "ORVANTA_DATA_FROM_BIN must be defined by the build"
#endif
#ifndef ORVANTA_DATA_FROM_BUILD
#error "ORVANTA_DATA_FROM_BUILD must be defined by the build"
#endif

namespace orvanta {

QString DataDirFor(const QString& executableDir) {
  const QDir bin(executableDir);
  for (const char* relative : {ORVANTA_DATA_FROM_BIN, ORVANTA_DATA_FROM_BUILD}) {
    const QFileInfo candidate(bin.filePath(QString::fromUtf8(relative)));
    if (candidate.isDir()) return QDir::cleanPath(candidate.absoluteFilePath());
  }
  return QString();
}

QString DataDir() {
  return DataDirFor(QCoreApplication::applicationDirPath());
}

}  // namespace orvanta
