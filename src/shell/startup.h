#pragma once

#include <QString>
#include <QStringList>

namespace yw {

// The build string: the revision as four digits with leading zeros (310 gives "0310").
QString buildString(int revision);

// The project named on the command line: every argument after the program's name joined by
// blanks, with every double quote removed, so a quoted path with spaces arrives whole.
QString commandLineProject(const QStringList& arguments);

// The numbers shown for our error types in the critical start-up message.
enum class StartUpErrorNumber {
    Unexpected = 5,   // any other failure
    FormatError = 13, // a stored setting or a file is not what it should be ("type mismatch")
    FileError = 53,   // a file is missing or cannot be read
    OutOfMemory = 7,
};

// "A critical error was encountered while trying to start Yolkwright. ..." with the error's
// number, description and the component (window) in which it was raised.
QString criticalStartUpMessage(int number, const QString& description, const QString& component);

} // namespace yw
