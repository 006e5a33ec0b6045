#include "cli/cliapp.h"

namespace yw::cli {

namespace {

// The tool's own options, before the command: one row each, read by run() and shown by the help.
struct GlobalOption
{
    const char* name;
    const char* value;
    const char* help;
};

constexpr GlobalOption kGlobalOptions[] = {
    {"--game-dir", "DIR",
     "The Oddballz folder. By default it is found through the game's oddballz.ini, as the "
     "editor finds it."},
    {"--edition", "us|uk",
     "Which edition of the game the eggs come from. By default the editor's setting, or else "
     "the game's own files tell."},
    {"--data-dir", "DIR", "The folder with Yolkwright's res and resUK folders."},
};

constexpr int kHelpColumn = 26;
constexpr int kHelpWidth = 80;

// `head` in the first column and `body` wrapped beside it from kHelpColumn on.
QString helpEntry(const QString& head, const QString& body)
{
    QString entry;
    QString line = QStringLiteral("  ");
    for (const QString& word : head.split(QLatin1Char(' '))) {
        if (line.size() + 1 + word.size() > kHelpWidth) {
            entry += line + QLatin1Char('\n');
            line = QString(9, QLatin1Char(' '));
        }
        line += (line.trimmed().isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    const QString indent(kHelpColumn, QLatin1Char(' '));
    if (line.size() + 2 > kHelpColumn) {
        entry += line + QLatin1Char('\n');
        line = indent;
    } else {
        line = line.leftJustified(kHelpColumn);
    }
    bool first = true;
    for (const QString& word : body.split(QLatin1Char(' '))) {
        if (!first && line.size() + 1 + word.size() > kHelpWidth) {
            entry += line + QLatin1Char('\n');
            line = indent;
            first = true;
        }
        line += (first ? QString() : QStringLiteral(" ")) + word;
        first = false;
    }
    return entry + line + QLatin1Char('\n');
}

ExitCode usage(QTextStream& err, const QString& problem)
{
    err << "yolkwright-cli: " << problem << '\n'
        << "Try 'yolkwright-cli --help' for more information.\n";
    err.flush();
    return ExitCode::Usage;
}

// A command line read: the tool's options, the command's and the words left.
struct CommandLine
{
    Options options;
    QStringList positional;
    QString editionText; // --edition as given
    bool help = false;
};

// The row of the option `name` in any command, or nothing when no command takes it.
std::optional<CommandOption> commandOption(const std::vector<std::unique_ptr<Command>>& commands,
                                           const QString& name)
{
    for (const auto& command : commands)
        if (std::optional<CommandOption> own = command->option(name))
            return own;
    return std::nullopt;
}

// Reads the option at `i` (`--name=value`, `--name value`, or a flag alone) into `line`;
// throws UsageError.
void readOption(const QStringList& arguments, qsizetype& i,
                const std::vector<std::unique_ptr<Command>>& commands, CommandLine& line)
{
    const QString& arg = arguments[i];
    const qsizetype equals = arg.indexOf(QLatin1Char('='));
    const bool joined = arg.startsWith(QLatin1String("--")) && equals > 0;
    const QString name = joined ? arg.left(equals) : arg;
    const std::optional<CommandOption> own = commandOption(commands, name);
    QString* target = nullptr;
    if (name == QLatin1String("--data-dir"))
        target = &line.options.dataDir;
    else if (name == QLatin1String("--game-dir"))
        target = &line.options.gameDir;
    else if (name == QLatin1String("--edition"))
        target = &line.editionText;
    else if (own)
        target = &line.options.commandOptions[name];
    else
        throw UsageError(QStringLiteral("Unknown option %1.").arg(arg));
    if (own && own->isFlag()) {
        if (joined)
            throw UsageError(QStringLiteral("The option %1 takes no value.").arg(name));
        *target = QStringLiteral("yes");
        return;
    }
    if (!joined && i + 1 >= arguments.size())
        throw UsageError(QStringLiteral("The option %1 needs a value.").arg(name));
    *target = joined ? arg.mid(equals + 1) : arguments[++i];
    if (target->isEmpty())
        throw UsageError(QStringLiteral("The option %1 needs a value.").arg(name));
}

std::optional<Edition> editionNamed(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    if (text.compare(QLatin1String("us"), Qt::CaseInsensitive) == 0)
        return Edition::US;
    if (text.compare(QLatin1String("uk"), Qt::CaseInsensitive) == 0)
        return Edition::UK;
    throw UsageError(QStringLiteral("The edition must be us or uk, not %1.").arg(text.toLower()));
}

// Reads the options and words; throws UsageError for an option nobody takes.
CommandLine readCommandLine(const QStringList& arguments,
                            const std::vector<std::unique_ptr<Command>>& commands)
{
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            line.positional.append(arg);
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            line.help = true;
            return line;
        } else {
            readOption(arguments, i, commands, line);
        }
    }
    line.options.edition = editionNamed(line.editionText);
    return line;
}

// The command the words name, with its arguments and options checked; throws UsageError.
Command& chosenCommand(CommandLine& line, const std::vector<std::unique_ptr<Command>>& commands)
{
    if (line.positional.isEmpty())
        throw UsageError(QStringLiteral("No command given."));
    const QString name = line.positional.takeFirst();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const auto& command) { return command->name() == name; });
    if (found == commands.end())
        throw UsageError(QStringLiteral("Unknown command %1.").arg(name));
    Command& command = **found;
    for (const auto& given : line.options.commandOptions)
        if (!command.option(given.first))
            throw UsageError(QStringLiteral("The option %1 does not go with the command %2.")
                                 .arg(given.first, command.name()));
    const QStringList expected = command.arguments();
    if (line.positional.size() != expected.size())
        throw UsageError(
            QStringLiteral("Wrong number of arguments. Usage: %1")
                .arg(QStringList{QStringLiteral("yolkwright-cli"), command.name()}.join(
                         QLatin1Char(' ')) +
                     (expected.isEmpty() ? QString()
                                         : QLatin1Char(' ') + expected.join(QLatin1Char(' ')))));
    return command;
}

} // namespace

QString helpText()
{
    QString text = QStringLiteral("yolkwright-cli: make Oddballz breeds without opening the "
                                  "editor.\n\nUsage: yolkwright-cli [OPTIONS] COMMAND "
                                  "[ARGUMENTS]\n\nCommands:\n");
    for (const auto& command : allCommands())
        text += helpEntry(command->synopsis(), command->fullHelp());
    text += QStringLiteral("\nOptions:\n");
    for (const GlobalOption& option : kGlobalOptions)
        text +=
            helpEntry(QLatin1String(option.name) + QLatin1Char(' ') + QLatin1String(option.value),
                      QLatin1String(option.help));
    text += helpEntry(QStringLiteral("-h, --help"), QStringLiteral("Show this help."));
    return text + QStringLiteral(
                      "\n"
                      "Examples:\n"
                      "  yolkwright-cli survey Honker\n"
                      "  yolkwright-cli new Honker my.opj\n"
                      "  yolkwright-cli egg my.opj my.odd\n"
                      "  yolkwright-cli package my.opj my.ypk\n"
                      "  yolkwright-cli sheet my.opj my.svg\n"
                      "  yolkwright-cli import shared.ypk remix.opj\n"
                      "\n"
                      "Exit status: 0 when it worked, 1 when it failed (the reason is printed),\n"
                      "2 when the command line is wrong. Files are written whole or not at all.\n");
}

ExitCode run(const QStringList& arguments, QTextStream& out, QTextStream& err,
             SettingsStore& settings)
{
    const std::vector<std::unique_ptr<Command>> commands = allCommands();
    try {
        CommandLine line = readCommandLine(arguments, commands);
        if (line.help) {
            out << helpText();
            out.flush();
            return ExitCode::Success;
        }
        Command& command = chosenCommand(line, commands);
        Context context(line.options, out, err, settings);
        const ExitCode code = command.run(context, line.positional);
        out.flush();
        return code;
    } catch (const UsageError& e) {
        return usage(err, e.message());
    } catch (const Failure& e) {
        err << "yolkwright-cli: " << oneLine(e.line()) << '\n';
    } catch (const Error& e) {
        err << "yolkwright-cli: " << oneLine(e.message()) << '\n';
    } catch (const std::exception& e) {
        err << "yolkwright-cli: " << QString::fromLocal8Bit(e.what()) << '\n';
    }
    err.flush();
    return ExitCode::Failure;
}

} // namespace yw::cli
