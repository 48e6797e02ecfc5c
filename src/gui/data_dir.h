// Where the program's data files live (share/orvanta: the help manual and
// whatever else the data/ folder of the sources holds), found from the
// executable's own folder. An installed copy finds <prefix>/share/orvanta
// wherever the prefix is; a copy in the build folder finds the build's own
// share/orvanta, which the build fills from data/.
#pragma once

#include <QString>

namespace orvanta {

// The data folder for a program whose executable lies in `executableDir`:
// the installed layout first, then the build folder's layout. An empty
// string when neither folder exists.
QString DataDirFor(const QString& executableDir);

// The data folder of the running program (QCoreApplication must exist).
QString DataDir();

}  // namespace orvanta
