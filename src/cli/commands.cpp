#include "cli/commands.h"

#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "files/egggrowth.h"
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "files/keptoriginals.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "files/survey.h"
#include "files/surveyreport.h"
#include "model/gameinstall.h"
#include "platform/cp1252.h"
#include "platform/refusal.h"
#include "platform/savefile.h"
#include "platform/setting.h"
#include "platform/winpaths.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace yw::cli {

namespace {

QString text(const std::string& bytes)
{
    return cp1252::toUnicode(bytes);
}

// The build field of a project file: the first field of its second line.
QString buildField(const QString& path)
{
    FieldReader reader(readWholeFile(path, kTextFileLimit), path);
    reader.readLine(QStringLiteral("the header line"));
    return text(reader.text(QStringLiteral("the build number")));
}

// A base breed by its list text or stem, in any letter case.
const BaseBreedEntry& breedNamed(const QString& name)
{
    if (const BaseBreedEntry* breed = findBaseBreed(name))
        return *breed;
    QStringList names;
    for (const BaseBreedEntry& breed : baseBreeds())
        names.append(breed.listText);
    throw UsageError(QStringLiteral("There is no base breed called \"%1\". The base breeds are: "
                                    "%2.")
                         .arg(name, names.join(QStringLiteral(", "))));
}

class BreedsCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("breeds"); }
    QStringList arguments() const override { return {}; }
    QString help() const override
    {
        return QStringLiteral("List the base breeds you can start from, one per line: name, file "
                              "name, whether your game has its egg (installed or missing), "
                              "whether Yolkwright has its breed files (resources or "
                              "no-resources) and whether those files fit your egg (matches, "
                              "does-not-match, or -).");
    }
    ExitCode run(Context& context, const QStringList&) override
    {
        context.requireGame();
        context.requireEdition();
        const Installation& install = context.install();
        for (const BaseBreedEntry& breed : baseBreeds()) {
            const bool installed = context.fso().fileExists(install.baseEggPath(breed.stem));
            const bool resources = context.fso().fileExists(install.infoFilePath(breed.stem)) &&
                                   context.fso().fileExists(install.locatorFilePath(breed.stem));
            const char* fit = "-";
            if (installed && resources)
                fit = resourcesFitEgg(install, breed.stem) ? "matches" : "does-not-match";
            context.out() << breed.listText << '\t' << text(breed.stem) << '\t'
                          << (installed ? "installed" : "missing") << '\t'
                          << (resources ? "resources" : "no-resources") << '\t' << fit << '\n';
        }
        return ExitCode::Success;
    }
};

class NewCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("new"); }
    QString help() const override
    {
        return QStringLiteral("Start a new breed from a base breed (for example Honker or "
                              "Quadrapus) and save it as the project file PROJECT (.opj).");
    }
    QStringList arguments() const override
    {
        return {QStringLiteral("BREED"), QStringLiteral("PROJECT")};
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        const BaseBreedEntry* chosen = &breedNamed(args[0]);
        const QString path = args[1];
        if (path.trimmed().isEmpty())
            throw UsageError(QStringLiteral("The project file name is empty."));

        context.requireGame();
        context.requireEdition();
        // A refusal names its file and is reported as any other failure.
        const NewProject project =
            readBaseBreedOrThrow(context.install(), context.state(), chosen->listText);
        writeNewProjectFile(context.install(), project, path);
        context.printNotices();
        return ExitCode::Success;
    }
};

class ShowCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("show"); }
    QString help() const override
    {
        return QStringLiteral("Print everything in a project as JSON.");
    }
    QStringList arguments() const override { return {QStringLiteral("PROJECT")}; }
    ExitCode run(Context& context, const QStringList& args) override
    {
        context.openProject(args[0], false);
        const ProjectState& s = context.state();
        const BreedHeader& header = context.project().shape().header;
        const int pairs = s.tipPairs(context.install().locatorFilePath(s.baseBreed));

        QJsonObject json;
        json.insert(QStringLiteral("build"), buildField(args[0]));
        json.insert(QStringLiteral("baseBreed"), text(s.baseBreed));
        json.insert(QStringLiteral("ballSetFiles"),
                    QJsonArray{text(header.lnzNameA), text(header.lnzNameB)});
        json.insert(QStringLiteral("ballsPerSet"), header.ballsPerSet);
        json.insert(QStringLiteral("breedName"), text(s.breedName));
        json.insert(QStringLiteral("eggTray"), text(s.eggTray));
        json.insert(QStringLiteral("eggSlot"), text(s.eggSlot));
        json.insert(QStringLiteral("description"), text(s.breedDescription));
        json.insert(QStringLiteral("attributes"), text(s.breedAttributes));
        QJsonArray regTips;
        QJsonArray demoTips;
        for (int t = 0; t < pairs; ++t) {
            regTips.append(text(s.regTips[size_t(t)]));
            demoTips.append(text(s.demoTips[size_t(t)]));
        }
        json.insert(QStringLiteral("regTips"), regTips);
        json.insert(QStringLiteral("demoTips"), demoTips);
        QJsonArray balls;
        for (int i = 0; i < 2 * header.ballsPerSet; ++i) {
            const EBallRecord& r = s.ball(i);
            balls.append(QJsonObject{
                {QStringLiteral("fillColor"), r.fillColor},
                {QStringLiteral("borderColor"), r.borderColor},
                {QStringLiteral("spreckColor"), r.spreckColor},
                {QStringLiteral("fuzziness"), r.fuzziness},
                {QStringLiteral("borderThickness"), r.borderThickness},
                {QStringLiteral("diameter"), r.diameter},
                {QStringLiteral("auxValue"), r.auxValue},
                {QStringLiteral("texture"), r.texture},
                {QStringLiteral("useTexture"), r.useTexture},
                {QStringLiteral("comment"), text(r.comment)},
            });
        }
        json.insert(QStringLiteral("eBalls"), balls);

        context.printNotices();
        context.out() << QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented));
        return ExitCode::Success;
    }
};

// Writes what a project makes (egg or package) to TARGET, growing the egg as `growth` allows.
using ProjectWriter = void (*)(Context& context, const QString& target, const QString& project,
                               EggGrowth& growth);

const QString kGrowHint = QStringLiteral("--grow lets the egg grow past the base egg's room.");

// egg and package: the same body around their writers.
class WriteCommand : public Command
{
public:
    WriteCommand(QString name, QString help, ProjectWriter writer)
        : m_name(std::move(name)), m_help(std::move(help)), m_writer(writer)
    {}
    QString name() const override { return m_name; }
    QString help() const override { return m_help; }
    QStringList arguments() const override
    {
        return {QStringLiteral("PROJECT"), QStringLiteral("TARGET")};
    }
    std::vector<CommandOption> options() const override
    {
        return {{QStringLiteral("--grow"), QString(),
                 QStringLiteral("A text, the tips or a ball set longer than the base egg's room is "
                                "refused (the tips are cut); with --grow the egg grows instead: "
                                "the resource holding it is moved to the end of the egg with more "
                                "room, and what grew is printed.")}};
    }
    // The same refusals, and the same word on what was cut or grew, for egg and package.
    ExitCode run(Context& context, const QStringList& args) override
    {
        context.openProject(args[0], true);
        EggGrowth growth;
        growth.allowed = context.flag(QStringLiteral("--grow"));
        const bool tipsCut = !growth.allowed && !cutTips(context.state()).empty();
        try {
            m_writer(context, args[1], args[0], growth);
        } catch (const DoesNotFit& e) {
            throw Failure(args[1], e.message() + QLatin1Char(' ') + kGrowHint);
        } catch (const BadValue& e) {
            throw Failure(args[1], e.message());
        }
        context.printNotices();
        if (tipsCut)
            context.err() << "yolkwright-cli: note: " << kGrowHint << '\n';
        for (const GrownResource& grown : growth.grown)
            context.out() << "grown: " << describeGrowth({grown}) << '\n';
        return ExitCode::Success;
    }

private:
    QString m_name;
    QString m_help;
    ProjectWriter m_writer;
};

void writeEgg(Context& context, const QString& target, const QString& project, EggGrowth& growth)
{
    saveODD(context.install(), context.state(), context.project().shape(), target,
            context.prompts(), project, &growth);
    if (const QString kept = keptOriginalFor(context.install(), target); !kept.isEmpty())
        context.err() << "yolkwright-cli: note: " << keptNote(kept) << '\n';
}

void writePackage(Context& context, const QString& target, const QString& project,
                  EggGrowth& growth)
{
    SaveYPK(context.install(), context.state(), context.project().shape(), target,
            context.prompts(), context.settings(), project, &growth);
}

class RestoreCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("restore"); }
    QStringList arguments() const override { return {QStringLiteral("BREED")}; }
    QString help() const override
    {
        return QStringLiteral("Put the game's own egg of BREED (and its companion) back in the "
                              "game's eggz folder. The first time Yolkwright writes over an egg "
                              "there, it keeps the egg it replaces as that breed's original, and "
                              "the last three later versions too, in your own data folder; New, "
                              "the survey and import start from that original while the egg in "
                              "the game is one Yolkwright wrote.");
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        context.requireGame();
        context.requireEdition();
        // A breed by its list name ("Quadrapus") or by its egg's name, as kept.
        const BaseBreedEntry* breed = findBaseBreed(args[0]);
        const QString egg = restoreGameEgg(context.install(), breed ? text(breed->stem) : args[0]);
        context.out() << "Restored " << QDir::toNativeSeparators(egg) << ".\n";
        return ExitCode::Success;
    }
};

class SheetCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("sheet"); }
    QString help() const override
    {
        return QStringLiteral("Draw the breed sheet (.svg): both ball sets as labelled colour "
                              "swatches, with the name, tray, slot and description.");
    }
    QStringList arguments() const override
    {
        return {QStringLiteral("PROJECT"), QStringLiteral("TARGET")};
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        // The sheet needs no game; but where there is one, its base eggs are protected too.
        context.findGameIfAny();
        context.openProject(args[0], false);
        saveBreedSheet(context.install(), context.state(), context.project().shape(), args[1],
                       args[0]);
        context.printNotices();
        return ExitCode::Success;
    }
};

class ImportCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("import"); }
    QString help() const override
    {
        return QStringLiteral("Turn an egg (with the .odx beside it, if any) or a package made "
                              "from an installed base breed back into a project. The base breed "
                              "is the one whose egg matches everywhere outside the parts "
                              "Yolkwright edits; --base names it.");
    }
    QStringList arguments() const override
    {
        return {QStringLiteral("EGG|PACKAGE"), QStringLiteral("PROJECT")};
    }
    std::vector<CommandOption> options() const override
    {
        return {{QStringLiteral("--base"), QStringLiteral("BREED"), {}},
                {QStringLiteral("--accept-losses"),
                 {},
                 QStringLiteral("When the project could not keep part of the egg (words after "
                                "the slot, a 7th tip, a line after the tips, a ball line or name "
                                "the egg writer refuses), nothing is written and each part is "
                                "named; --accept-losses imports the rest and lists on stderr "
                                "what was left out.")}};
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        const QString base = context.option(QStringLiteral("--base"));
        const std::string stem = base.isEmpty() ? std::string() : breedNamed(base).stem;
        if (args[1].trimmed().isEmpty())
            throw UsageError(QStringLiteral("The project file name is empty."));
        context.requireGame();
        context.requireEdition();
        const ImportedEgg imported = importFile(context.install(), context.state(), args[0], stem);
        const bool accept = context.flag(QStringLiteral("--accept-losses"));
        writeImportedProject(context.install(), imported, args[1], args[0], accept);
        for (const QString& loss : imported.losses)
            context.err() << "yolkwright-cli: left out: " << oneLine(loss) << '\n';
        const ProjectState& s = imported.project.state;
        const auto shown = [](const std::string& bytes) { return terminalText(text(bytes)); };
        context.out() << "base breed: " << imported.baseListText << '\n'
                      << "name: " << shown(s.breedName) << '\n';
        if (imported.package)
            context.out() << "package breed name: " << shown(imported.package->breedName) << '\n'
                          << "site name: " << shown(imported.package->siteName) << '\n'
                          << "site address: " << shown(imported.package->siteUrl) << '\n';
        if (!imported.note.isEmpty())
            context.err() << "yolkwright-cli: note: " << oneLine(imported.note) << '\n';
        context.printNotices();
        return ExitCode::Success;
    }
};

// A position given with --description or --attributes: a whole number from 1 on.
std::optional<qint64> positionOption(const Context& context, const QString& name)
{
    const QString value = context.option(name);
    if (value.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 position = value.toLongLong(&ok);
    if (!ok || position < 1)
        throw UsageError(QStringLiteral("The option %1 needs a byte position (a whole number "
                                        "from 1 on), not %2.")
                             .arg(name, value));
    return position;
}

// The answers a user gives on a terminal; nothing when the tool runs in a script, which then
// must give them as options.
class TerminalQuestions
{
public:
    explicit TerminalQuestions(QTextStream& out) : m_out(out), m_in(stdin) {}

    static bool available()
    {
#ifdef _WIN32
        return _isatty(_fileno(stdin)) && _isatty(_fileno(stdout));
#else
        return isatty(fileno(stdin)) && isatty(fileno(stdout));
#endif
    }

    // The index of the chosen line, asked until the answer is one of `keys`.
    int ask(const QString& question, const QStringList& lines, const QStringList& keys)
    {
        for (;;) {
            m_out << question << '\n';
            for (qsizetype i = 0; i < lines.size(); ++i)
                m_out << "  " << (i < keys.size() ? keys[i] + QStringLiteral(") ") : QString())
                      << lines[i] << '\n';
            m_out << "Answer " << keys.join(QStringLiteral(" or ")) << ": ";
            m_out.flush();
            const QString answer = m_in.readLine().trimmed();
            if (answer.isNull())
                throw Failure(QString(), QStringLiteral("The question was not answered."));
            const qsizetype index = keys.indexOf(answer.toUpper());
            if (index >= 0)
                return int(index);
        }
    }

private:
    QTextStream& m_out;
    QTextStream m_in;
};

QString refusalLine(const SurveyRefusal& refusal)
{
    if (refusal.candidates.empty())
        return refusal.message;
    return refusal.message + QStringLiteral(" The texts: ") +
           surveyTextLines(refusal.candidates, refusal.candidateCount).join(QStringLiteral("; ")) +
           QStringLiteral(". Give their positions with --description POS and --attributes POS.");
}

// The choices the egg left open, for a script that must give them as options.
QString openChoicesLine(const SurveyFindings& found)
{
    QStringList parts;
    if (found.textsOpen)
        parts.append(QStringLiteral("The egg does not tell which text is the description and "
                                    "which the attributes. The texts: %1. Give their positions "
                                    "with --description POS and --attributes POS.")
                         .arg(surveyTextLines({found.texts[0], found.texts[1]}, 2)
                                  .join(QStringLiteral("; "))));
    if (found.babyOpen)
        parts.append(QStringLiteral("The egg does not tell which ball set is the baby: their "
                                    "diameters add up alike. The sets: %1. Give it with --baby A "
                                    "or --baby B.")
                         .arg(surveySetLines(found).join(QStringLiteral("; "))));
    return parts.join(QLatin1Char(' '));
}

class SurveyCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("survey"); }
    QStringList arguments() const override { return {QStringLiteral("BREED")}; }
    std::vector<CommandOption> options() const override
    {
        // The help below tells of them together.
        return {{QStringLiteral("--to"), QStringLiteral("DIR"), {}},
                {QStringLiteral("--description"), QStringLiteral("POS"), {}},
                {QStringLiteral("--attributes"), QStringLiteral("POS"), {}},
                {QStringLiteral("--baby"), QStringLiteral("A|B"), {}},
                {QStringLiteral("--report"), QStringLiteral("FILE"), {}}};
    }
    QString help() const override
    {
        return QStringLiteral(
            "Measure your game's own egg of BREED, print what was found (each region's byte "
            "position, room and first words) and write its breed files (.blz and .loc) to DIR, "
            "by default your own res or resUK folder, where Yolkwright looks first. Nothing is "
            "written unless an unchanged breed written back gives the egg byte for byte. What the "
            "egg cannot tell is asked on a terminal: which text is the description, and which "
            "ball set is the baby when their diameters add up alike. In a script it is refused "
            "with the candidates; answer with --description POS and --attributes POS (byte "
            "positions of any text), and --baby A or B (A is the set that comes first in the "
            "egg). --report FILE writes a layout report without the egg's texts, to attach to a "
            "bug report.");
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        const BaseBreedEntry& breed = breedNamed(args[0]);
        SurveyChoices choices;
        choices.descriptionPosition = positionOption(context, QStringLiteral("--description"));
        choices.attributesPosition = positionOption(context, QStringLiteral("--attributes"));
        const QString baby = context.option(QStringLiteral("--baby")).toUpper();
        if (baby == QStringLiteral("A") || baby == QStringLiteral("B"))
            choices.baby = baby == QStringLiteral("A") ? BabySet::A : BabySet::B;
        else if (!baby.isEmpty())
            throw UsageError(QStringLiteral("The option --baby takes A or B, not %1.")
                                 .arg(context.option(QStringLiteral("--baby"))));

        context.requireGame();
        context.requireEdition();
        const Installation& install = context.install();
        const QString eggPath = install.baseEggPath(breed.stem);
        if (!context.fso().fileExists(eggPath) && somethingIsAt(eggPath))
            throw Failure(eggPath, notRegularReason(eggPath, "reads"));
        if (!context.fso().fileExists(eggPath))
            throw Failure(eggPath, QStringLiteral("The breed that was selected, %1, is not "
                                                  "installed in the Oddballz folder.")
                                       .arg(breed.listText));
        // Every output is judged before the survey runs: a refusal writes the report too.
        const QStringList inputs = {eggPath, install.baseCompanionPath(breed.stem)};
        const QString report = context.option(QStringLiteral("--report"));
        if (!report.isEmpty())
            requireOutputAllowed(install, report, inputs);
        QString folder = context.option(QStringLiteral("--to"));
        if (folder.isEmpty())
            folder = install.userResourceFolder();
        requireSurveyedFilesAllowed(install, breed.stem, folder, inputs);
        const QByteArray egg = readWholeFile(eggPath, kEggFileLimit);
        SurveyResult result = surveyEgg(egg, breed.stem, choices);
        if (TerminalQuestions::available())
            result = askOnTerminal(context, egg, breed.stem, choices, std::move(result));
        if (!report.isEmpty())
            saveFileAtomically(report, surveyLayoutReport(egg, breed.stem, result));
        if (!result.findings)
            throw Failure(eggPath, refusalLine(result.refusal));
        const SurveyFindings& found = *result.findings;
        if (found.textsOpen || found.babyOpen)
            throw Failure(eggPath, openChoicesLine(found));

        QTextStream& out = context.out();
        out << "Surveyed " << QDir::toNativeSeparators(eggPath)
            << (found.resourceTable ? " (its resources)" : " (the whole file: it has no resources)")
            << ":\n";
        for (const QString& line : surveyFindingsLines(found))
            out << "  " << terminalText(line) << '\n';
        for (const QString& note : found.notes)
            context.err() << "yolkwright-cli: " << oneLine(note) << '\n';
        const auto [info, locator] = saveSurveyedFiles(install, found, breed.stem, folder, inputs);
        out << "Wrote " << QDir::toNativeSeparators(info) << " and "
            << QDir::toNativeSeparators(locator) << ".\n";
        return ExitCode::Success;
    }

private:
    // Asks what the egg did not tell, and surveys again with the answers.
    static SurveyResult askOnTerminal(Context& context, const QByteArray& egg,
                                      const std::string& stem, SurveyChoices choices,
                                      SurveyResult result)
    {
        TerminalQuestions questions(context.out());
        const QStringList ab = {QStringLiteral("A"), QStringLiteral("B")};
        if (!result.findings && result.refusal.candidates.size() >= 2 &&
            qint64(result.refusal.candidates.size()) == result.refusal.candidateCount) {
            std::vector<TextCandidate> texts = result.refusal.candidates;
            QStringList keys;
            for (size_t i = 0; i < texts.size(); ++i)
                keys.append(QString::number(i + 1));
            const QStringList lines = surveyTextLines(texts, qint64(texts.size()));
            const int description =
                questions.ask(QStringLiteral("Which text is the description?"), lines, keys);
            const int attributes =
                questions.ask(QStringLiteral("Which text are the attributes?"), lines, keys);
            choices.descriptionPosition = texts[size_t(description)].position;
            choices.attributesPosition = texts[size_t(attributes)].position;
            result = surveyEgg(egg, stem, choices);
        }
        if (result.findings && result.findings->textsOpen) {
            const SurveyFindings& found = *result.findings;
            const int description =
                questions.ask(QStringLiteral("Which text is the description?"),
                              surveyTextLines({found.texts[0], found.texts[1]}, 2),
                              {QStringLiteral("1"), QStringLiteral("2")});
            choices.descriptionPosition = found.texts[size_t(description)].position;
            choices.attributesPosition = found.texts[size_t(1 - description)].position;
            result = surveyEgg(egg, stem, choices);
        }
        if (result.findings && result.findings->babyOpen) {
            choices.baby = questions.ask(QStringLiteral("Which ball set is the baby?"),
                                         surveySetLines(*result.findings), ab) == 0
                               ? BabySet::A
                               : BabySet::B;
            result = surveyEgg(egg, stem, choices);
        }
        return result;
    }
};

} // namespace

QString Command::synopsis() const
{
    QStringList words{name()};
    words += arguments();
    for (const CommandOption& option : options())
        words.append(option.isFlag() ? QStringLiteral("[%1]").arg(option.name)
                                     : QStringLiteral("[%1 %2]").arg(option.name, option.value));
    return words.join(QLatin1Char(' '));
}

std::optional<CommandOption> Command::option(const QString& name) const
{
    for (const CommandOption& own : options())
        if (own.name == name)
            return own;
    return std::nullopt;
}

QString Command::fullHelp() const
{
    QString text = help();
    for (const CommandOption& option : options())
        if (!option.help.isEmpty())
            text += QLatin1Char(' ') + option.help;
    return text;
}

Failure::Failure(const QString& file, const QString& reason)
    : Error(file.isEmpty() ? reason : file + QStringLiteral(": ") + reason),
      m_line(file.isEmpty() ? reason : file + QStringLiteral(": ") + reason)
{}

Context::Context(Options options, QTextStream& out, QTextStream& err, SettingsStore& settings,
                 QProcessEnvironment env)
    : m_options(std::move(options)), m_out(out), m_err(err), m_settings(settings),
      m_env(std::move(env)), m_prompts(err)
{
    m_install.fso = &m_fso;
    m_install.buildNo =
        QStringLiteral("%1").arg(YW_REVISION, 4, 10, QLatin1Char('0')).toStdString();
    if (m_options.dataDir.isEmpty()) {
        m_install.programFolder = programDataFolder();
        m_install.userFolder = userDataFolder();
    } else {
        if (!m_fso.folderExists(m_options.dataDir))
            throw Failure(m_options.dataDir, QStringLiteral("The data folder does not exist."));
        m_install.programFolder = QFileInfo(m_options.dataDir).absoluteFilePath();
    }
}

QString Context::option(const QString& name) const
{
    const auto found = m_options.commandOptions.find(name);
    return found == m_options.commandOptions.end() ? QString() : found->second;
}

bool Context::flag(const QString& name) const
{
    return m_options.commandOptions.count(name) > 0;
}

void Context::requireGame()
{
    if (m_haveGame)
        return;
    if (!m_options.gameDir.isEmpty()) {
        if (!m_fso.folderExists(m_options.gameDir))
            throw Failure(m_options.gameDir, QStringLiteral("The game folder does not exist."));
        m_install.gameFolder = QDir::cleanPath(QFileInfo(m_options.gameDir).absoluteFilePath());
    } else {
        try {
            m_install.gameFolder = locateGameFolder(m_fso, m_env);
        } catch (const Refusal& e) {
            throw Failure(e.path(),
                          e.reason() +
                              QStringLiteral(" (Or name the game folder with --game-dir.)"));
        }
    }
    m_haveGame = true;
}

void Context::findGameIfAny()
{
    if (!m_options.gameDir.isEmpty()) {
        requireGame();
        return;
    }
    try {
        requireGame();
    } catch (const Failure&) {
        // no game: the command goes on without one
    }
}

void Context::requireEdition()
{
    if (m_haveEdition)
        return;
    if (m_options.edition) {
        m_install.edition = *m_options.edition;
    } else if (setting::checkedCountry.number(m_settings) != 0) {
        m_install.edition = editionFromSetting(setting::optUK.text(m_settings));
    } else {
        // Detected as the editor's first run would, but nothing is stored.
        requireGame();
        try {
            m_install.edition = detectEdition(m_fso, m_install.gameFolder);
        } catch (const FileError& e) {
            throw Failure(e.path(),
                          e.reason() +
                              QStringLiteral(" Name it with --edition us or --edition uk."));
        }
    }
    m_haveEdition = true;
}

void Context::openProject(const QString& path, bool needGame)
{
    if (needGame)
        requireGame();
    requireEdition();
    OpenResult result = OpenResult::Opened;
    try {
        result = m_project.open(path, m_prompts, m_settings);
    } catch (const Refusal& e) {
        throw Failure(QString(), e.reason()); // the reason names the file
    }
    switch (result) {
    case OpenResult::Opened:
        return;
    case OpenResult::NotProjectFile: // only OpenOPJ gives it; readProjectFile throws
    case OpenResult::Declined:
        throw Failure(path, QStringLiteral("The project was not opened."));
    }
}

void Context::printNotices()
{
    for (const QString& message : m_prompts.takeMessages())
        m_err << "yolkwright-cli: note: " << message << '\n';
    m_err.flush();
}

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<BreedsCommand>());
    commands.push_back(std::make_unique<NewCommand>());
    commands.push_back(std::make_unique<ShowCommand>());
    commands.push_back(std::make_unique<WriteCommand>(
        QStringLiteral("egg"),
        QStringLiteral("Write the egg for a project to TARGET (.odd; a .odx is written beside it "
                       "when the base breed has one). Copy it into the game's eggz folder to "
                       "play with it."),
        writeEgg));
    commands.push_back(std::make_unique<WriteCommand>(
        QStringLiteral("package"),
        QStringLiteral("Write a package (.ypk) to share the breed with others."), writePackage));
    commands.push_back(std::make_unique<SheetCommand>());
    commands.push_back(std::make_unique<SurveyCommand>());
    commands.push_back(std::make_unique<ImportCommand>());
    commands.push_back(std::make_unique<RestoreCommand>());
    return commands;
}

} // namespace yw::cli
