#pragma once

#include "cli/cliprompts.h"
#include "files/openproject.h"
#include "model/edition.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/settingsstore.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace yw::cli {

enum class ExitCode { Success = 0, Failure = 1, Usage = 2 };

struct Options
{
    QString dataDir;
    QString gameDir;
    std::optional<Edition> edition; // from --edition
    // Options that belong to the command (--to DIR and the like), by name with their values.
    std::map<QString, QString> commandOptions;
};

// A failure the tool reports on one line; `file` is the file it concerns, if any.
class Failure : public Error
{
public:
    Failure(const QString& file, const QString& reason);
    QString line() const { return m_line; }

private:
    QString m_line;
};

// A command line that makes no sense: reported with a pointer to --help, exit 2.
class UsageError : public Error
{
public:
    using Error::Error;
};

// What every command works with: the project state with the installation found lazily, so
// that a command that needs no game does not fail for the want of one.
class Context
{
public:
    Context(Options options, QTextStream& out, QTextStream& err, SettingsStore& settings,
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment());

    ProjectState& state() { return m_state; }
    // The project openProject opened, with its breed's shape.
    const OpenProject& project() const { return m_project; }
    const Installation& install() const { return m_install; }
    SettingsStore& settings() { return m_settings; }
    CliPrompts& prompts() { return m_prompts; }
    QTextStream& out() { return m_out; }
    QTextStream& err() { return m_err; }
    const FileSystem& fso() const { return m_fso; }
    // The value of a command's own option, or "" when it was not given.
    QString option(const QString& name) const;
    // Whether a command's own flag (an option without a value) was given.
    bool flag(const QString& name) const;

    // Sets install().gameFolder, or throws Failure.
    void requireGame();
    // requireGame for a command that can do without a game: only a --game-dir that is not a
    // folder fails.
    void findGameIfAny();
    // Sets install().edition from --edition, the stored edition or the game's data file.
    void requireEdition();
    // Opens a project into the state (game and edition first), or throws Failure.
    void openProject(const QString& path, bool needGame);
    // Prints the prompts' held messages as notices.
    void printNotices();

private:
    Options m_options;
    QTextStream& m_out;
    QTextStream& m_err;
    SettingsStore& m_settings;
    QProcessEnvironment m_env;
    FileSystem m_fso;
    CliPrompts m_prompts;
    Installation m_install;
    ProjectState m_state;
    OpenProject m_project{m_install, m_state};
    bool m_haveGame = false;
    bool m_haveEdition = false;
};

// An option of a command: "--to" taking a value "DIR", or a flag given alone ("--accept-losses",
// empty value). `help` is its sentence in the usage text, after the command's own; empty when the
// command's help tells of it already.
struct CommandOption
{
    QString name;
    QString value;
    QString help;
    bool isFlag() const { return value.isEmpty(); }
};

// One command of the tool. The usage text is made from these rows (helpText), so a new command
// is one class added to allCommands(), and a new option one row of its options().
class Command
{
public:
    virtual ~Command() = default;
    virtual QString name() const = 0;
    virtual QStringList arguments() const = 0;
    virtual std::vector<CommandOption> options() const { return {}; }
    // What the command does, in sentences; the usage text wraps them, each option's help after.
    virtual QString help() const = 0;
    virtual ExitCode run(Context& context, const QStringList& args) = 0;

    // "name ARGS [--option VALUE] [--flag]..."
    QString synopsis() const;
    // The command's own option `name`, or nothing when it does not take it.
    std::optional<CommandOption> option(const QString& name) const;
    // help() and each option's help, as the usage text shows them.
    QString fullHelp() const;
};

std::vector<std::unique_ptr<Command>> allCommands();

} // namespace yw::cli
