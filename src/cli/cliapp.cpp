#include "cli/cliapp.h"

namespace yw::cli {

QString helpText()
{
    return QStringLiteral(
        "yolkwright-cli: make Oddballz breeds without opening the editor.\n"
        "\n"
        "Usage: yolkwright-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
        "\n"
        "Commands:\n"
        "  breeds                  List the base breeds you can start from, one per line:\n"
        "                          name, file name, whether your game has its egg\n"
        "                          (installed or missing), whether Yolkwright has its\n"
        "                          breed files (resources or no-resources) and whether\n"
        "                          those files fit your egg (matches, does-not-match, or -).\n"
        "  new BREED PROJECT       Start a new breed from a base breed (for example Honker or\n"
        "                          Quadrapus) and save it as the project file PROJECT (.opj).\n"
        "  show PROJECT            Print everything in a project as JSON.\n"
        "  egg PROJECT TARGET      Write the egg for a project to TARGET (.odd; a .odx is\n"
        "                          written beside it when the base breed has one). Copy it\n"
        "                          into the game's eggz folder to play with it.\n"
        "  package PROJECT TARGET  Write a package (.ypk) to share the breed with others.\n"
        "  sheet PROJECT TARGET    Draw the breed sheet (.svg): both ball sets as labelled\n"
        "                          colour swatches, with the name, tray, slot and\n"
        "                          description.\n"
        "  survey BREED [--to DIR] [--description POS] [--attributes POS] [--baby A|B]\n"
        "         [--report FILE]\n"
        "                          Measure your game's own egg of BREED, print what was found\n"
        "                          (each region's byte position, room and first words) and\n"
        "                          write its breed files (.blz and .loc) to DIR, by default\n"
        "                          your own res or resUK folder, where Yolkwright looks first.\n"
        "                          Nothing is written unless an unchanged breed written back\n"
        "                          gives the egg byte for byte. What the egg cannot tell is\n"
        "                          asked on a terminal: which text is the description, and\n"
        "                          which ball set is the baby when their diameters add up\n"
        "                          alike. In a script it is refused with the candidates; answer\n"
        "                          with --description POS and --attributes POS (byte positions\n"
        "                          of any text), and --baby A or B (A is the set that comes\n"
        "                          first in the egg). --report FILE writes a layout report\n"
        "                          without the egg's texts, to attach to a bug report.\n"
        "  import EGG|PACKAGE PROJECT [--base BREED] [--accept-losses]\n"
        "                          Turn an egg (with the .odx beside it, if any) or a package\n"
        "                          made from an installed base breed back into a project.\n"
        "                          The base breed is the one whose egg matches everywhere\n"
        "                          outside the parts Yolkwright edits; --base names it.\n"
        "                          When the project could not keep part of the egg (words\n"
        "                          after the slot, a 7th tip, a line after the tips, a ball\n"
        "                          line or name the egg writer refuses), nothing is written\n"
        "                          and each part is named; --accept-losses imports the rest\n"
        "                          and lists on stderr what was left out.\n"
        "\n"
        "Options:\n"
        "  --game-dir DIR          The Oddballz folder. By default it is found through the\n"
        "                          game's oddballz.ini, as the editor finds it.\n"
        "  --edition us|uk         Which edition of the game the eggs come from. By default\n"
        "                          the editor's setting, or else the game's own files tell.\n"
        "  --data-dir DIR          The folder with Yolkwright's res and resUK folders.\n"
        "  -h, --help              Show this help.\n"
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

namespace {

ExitCode usage(QTextStream& err, const QString& problem)
{
    err << "yolkwright-cli: " << problem << '\n'
        << "Try 'yolkwright-cli --help' for more information.\n";
    err.flush();
    return ExitCode::Usage;
}

} // namespace

ExitCode run(const QStringList& arguments, QTextStream& out, QTextStream& err,
             SettingsStore& settings)
{
    const std::vector<std::unique_ptr<Command>> commands = allCommands();
    QStringList commandOptions;
    QStringList commandFlags;
    for (const auto& command : commands) {
        commandOptions += command->options();
        commandFlags += command->flags();
    }

    Options options;
    QStringList positional;
    QString editionText;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            out << helpText();
            out.flush();
            return ExitCode::Success;
        }
        QString name = arg;
        QString value;
        bool hasValue = false;
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && equals > 0) {
            name = arg.left(equals);
            value = arg.mid(equals + 1);
            hasValue = true;
        }
        if (commandFlags.contains(name)) {
            if (hasValue)
                return usage(err, QStringLiteral("The option %1 takes no value.").arg(name));
            options.commandOptions[name] = QStringLiteral("yes");
            continue;
        }
        QString* target = nullptr;
        if (name == QLatin1String("--data-dir"))
            target = &options.dataDir;
        else if (name == QLatin1String("--game-dir"))
            target = &options.gameDir;
        else if (name == QLatin1String("--edition"))
            target = &editionText;
        else if (commandOptions.contains(name))
            target = &options.commandOptions[name];
        else
            return usage(err, QStringLiteral("Unknown option %1.").arg(arg));
        if (!hasValue) {
            if (i + 1 >= arguments.size())
                return usage(err, QStringLiteral("The option %1 needs a value.").arg(name));
            value = arguments[++i];
        }
        if (value.isEmpty())
            return usage(err, QStringLiteral("The option %1 needs a value.").arg(name));
        *target = value;
    }
    if (editionText.compare(QLatin1String("us"), Qt::CaseInsensitive) == 0)
        options.edition = Edition::US;
    else if (editionText.compare(QLatin1String("uk"), Qt::CaseInsensitive) == 0)
        options.edition = Edition::UK;
    else if (!editionText.isEmpty())
        return usage(
            err,
            QStringLiteral("The edition must be us or uk, not %1.").arg(editionText.toLower()));
    if (positional.isEmpty())
        return usage(err, QStringLiteral("No command given."));

    const QString commandName = positional.takeFirst();
    Command* command = nullptr;
    for (const auto& candidate : commands) {
        if (candidate->name() == commandName)
            command = candidate.get();
    }
    if (!command)
        return usage(err, QStringLiteral("Unknown command %1.").arg(commandName));
    for (const auto& given : options.commandOptions)
        if (!command->options().contains(given.first) && !command->flags().contains(given.first))
            return usage(err, QStringLiteral("The option %1 does not go with the command %2.")
                                  .arg(given.first, command->name()));
    const QStringList expected = command->arguments();
    if (positional.size() != expected.size()) {
        QString form = QStringLiteral("yolkwright-cli ") + command->name();
        for (const QString& argument : expected)
            form += QLatin1Char(' ') + argument;
        return usage(err, QStringLiteral("Wrong number of arguments. Usage: %1").arg(form));
    }

    try {
        Context context(options, out, err, settings);
        const ExitCode code = command->run(context, positional);
        out.flush();
        return code;
    } catch (const UsageError& e) {
        return usage(err, e.message());
    } catch (const Failure& e) {
        err << "yolkwright-cli: " << e.line() << '\n';
    } catch (const Error& e) {
        err << "yolkwright-cli: " << oneLine(e.message()) << '\n';
    } catch (const std::exception& e) {
        err << "yolkwright-cli: " << QString::fromLocal8Bit(e.what()) << '\n';
    }
    err.flush();
    return ExitCode::Failure;
}

} // namespace yw::cli
