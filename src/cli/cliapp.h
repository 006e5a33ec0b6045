#pragma once

#include "cli/commands.h"

#include <QStringList>
#include <QTextStream>
#include <algorithm>

namespace yw::cli {

// Parses the command line (without the program name) and runs the command.
ExitCode run(const QStringList& arguments, QTextStream& out, QTextStream& err,
             SettingsStore& settings);

QString helpText();

} // namespace yw::cli
