#pragma once

#include <QPointer>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>

namespace yw {

class FileSystem;
class MainWindow;
class Prompts;
class SettingsStore;
class Splash;
struct Installation;
struct ProjectState;

// The build string: the revision as four digits with leading zeros (310 gives "0310").
QString buildString(int revision);

// The project named on the command line: every argument after the program's name joined by
// blanks, with every double quote removed, so a quoted path with spaces arrives whole.
QString commandLineProject(const QStringList& arguments);

// The main window's size on the first run, when no size is stored: the design size (464 by 388
// pixels, made for the screens of 1997) scaled with the screen's height, so that the eBall editor
// and the lists show whole, yet never more than 80 % of the screen nor less than `least`.
QSize firstRunWindowSize(const QSize& design, const QSize& least, const QRect& screen);

// The numbers shown for our error types in the critical start-up message.
enum class StartUpErrorNumber {
    Unexpected = 5,   // any other failure
    FormatError = 13, // a stored setting or a file is not what it should be ("type mismatch")
    FileError = 53,   // a file is missing or cannot be read
    OutOfMemory = 7,
};

// The number shown for the exception being handled (call inside a catch block).
int currentStartUpErrorNumber();

// "A critical error was encountered while trying to start Yolkwright. ..." with the error's
// number, description and the component (window) in which it was raised.
QString criticalStartUpMessage(int number, const QString& description, const QString& component);

// Start-up: the build string, the game folder, the splash, the main window's load and showing
// it. Any failure on the way ends in the critical message.
class EditorStartUp
{
public:
    EditorStartUp(Installation& install, ProjectState& state, const FileSystem& fso,
                  SettingsStore& settings, Prompts& prompts);
    ~EditorStartUp();

    // Where res/ and resUK/ are; the program's own data folder unless set.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    // False when the program is to end now: no game (the user has been told why) or a critical
    // error (the critical message has been shown). True: the main window is shown.
    bool run(const QString& commandLine,
             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

    MainWindow* mainWindow() const { return m_window.get(); }
    Splash* splash() const;

private:
    Installation& m_install;
    ProjectState& m_state;
    const FileSystem& m_fso;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    QString m_programFolder;
    std::unique_ptr<MainWindow> m_window;
    QPointer<Splash> m_splash;
};

} // namespace yw
