#include "cli/commands.h"

#include "files/breedresources.h"
#include "files/breedsheet.h"
#include "files/eggimport.h"
#include "files/eggwriter.h"
#include "files/fieldcodec.h"
#include "files/newproject.h"
#include "files/packagewriter.h"
#include "files/projectfile.h"
#include "files/survey.h"
#include "files/surveyreport.h"
#include "model/gameinstall.h"
#include "platform/cp1252.h"
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

QString lastMessage(CliPrompts& prompts, const QString& fallback)
{
    const QStringList messages = prompts.takeMessages();
    return messages.isEmpty() ? fallback : messages.last();
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
    QStringList names;
    for (const BaseBreedEntry& breed : baseBreeds()) {
        if (breed.listText.compare(name, Qt::CaseInsensitive) == 0 ||
            text(breed.stem).compare(name, Qt::CaseInsensitive) == 0)
            return breed;
        names.append(breed.listText);
    }
    throw UsageError(QStringLiteral("There is no base breed called \"%1\". The base breeds are: "
                                    "%2.")
                         .arg(name, names.join(QStringLiteral(", "))));
}

class BreedsCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("breeds"); }
    QStringList arguments() const override { return {}; }
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
        const NewProject project =
            readBaseBreed(context.install(), context.state(), chosen->listText, context.prompts());
        const ProjectState& fresh = project.state;
        const Installation& install = context.install();
        switch (project.status) {
        case NewProjectStatus::Created:
            break;
        case NewProjectStatus::NotInstalled:
            throw Failure(install.baseEggPath(fresh.baseBreed),
                          lastMessage(context.prompts(), QString()));
        case NewProjectStatus::NoResources: {
            QString missing = install.infoFilePath(fresh.baseBreed);
            if (context.fso().fileExists(missing))
                missing = install.locatorFilePath(fresh.baseBreed);
            throw Failure(missing, lastMessage(context.prompts(), QString()));
        }
        case NewProjectStatus::DamagedEgg:
            throw Failure(install.baseEggPath(fresh.baseBreed),
                          lastMessage(context.prompts(), QString()));
        }
        writeNewProjectFile(install, project, path);
        context.printNotices();
        return ExitCode::Success;
    }
};

class ShowCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("show"); }
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

class EggCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("egg"); }
    QStringList arguments() const override
    {
        return {QStringLiteral("PROJECT"), QStringLiteral("TARGET")};
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        context.openProject(args[0], true);
        try {
            saveODD(context.install(), context.state(), context.project().shape(), args[1],
                    context.prompts(), args[0]);
        } catch (const DoesNotFit& e) {
            throw Failure(args[1], e.message());
        } catch (const BadValue& e) {
            throw Failure(args[1], e.message());
        }
        context.printNotices();
        return ExitCode::Success;
    }
};

class PackageCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("package"); }
    QStringList arguments() const override
    {
        return {QStringLiteral("PROJECT"), QStringLiteral("TARGET")};
    }
    ExitCode run(Context& context, const QStringList& args) override
    {
        context.openProject(args[0], true);
        try {
            SaveYPK(context.install(), context.state(), context.project().shape(), args[1],
                    context.prompts(), context.settings(), args[0]);
        } catch (const DoesNotFit& e) {
            throw Failure(args[1], e.message());
        } catch (const BadValue& e) {
            throw Failure(args[1], e.message());
        }
        context.printNotices();
        return ExitCode::Success;
    }
};

class SheetCommand : public Command
{
public:
    QString name() const override { return QStringLiteral("sheet"); }
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
    QStringList arguments() const override
    {
        return {QStringLiteral("EGG|PACKAGE"), QStringLiteral("PROJECT")};
    }
    QStringList options() const override { return {QStringLiteral("--base")}; }
    QStringList flags() const override { return {QStringLiteral("--accept-losses")}; }
    ExitCode run(Context& context, const QStringList& args) override
    {
        const QString base = context.option(QStringLiteral("--base"));
        const std::string stem = base.isEmpty() ? std::string() : breedNamed(base).stem;
        if (args[1].trimmed().isEmpty())
            throw UsageError(QStringLiteral("The project file name is empty."));
        context.requireGame();
        context.requireEdition();
        const ImportedEgg imported = importFile(context.install(), context.state(), args[0], stem);
        const bool accept = !context.option(QStringLiteral("--accept-losses")).isEmpty();
        writeImportedProject(context.install(), imported, args[1], args[0], accept);
        for (const QString& loss : imported.losses)
            context.err() << "yolkwright-cli: left out: " << loss << '\n';
        const ProjectState& s = imported.project.state;
        context.out() << "base breed: " << imported.baseListText << '\n'
                      << "name: " << text(s.breedName) << '\n';
        if (imported.package)
            context.out() << "package breed name: " << text(imported.package->breedName) << '\n'
                          << "site name: " << text(imported.package->siteName) << '\n'
                          << "site address: " << text(imported.package->siteUrl) << '\n';
        if (!imported.note.isEmpty())
            context.err() << "yolkwright-cli: note: " << imported.note << '\n';
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
    QStringList options() const override
    {
        return {QStringLiteral("--to"), QStringLiteral("--description"),
                QStringLiteral("--attributes"), QStringLiteral("--baby"),
                QStringLiteral("--report")};
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
            out << "  " << line << '\n';
        for (const QString& note : found.notes)
            context.err() << "yolkwright-cli: " << note << '\n';
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

void Context::requireGame()
{
    if (m_haveGame)
        return;
    if (!m_options.gameDir.isEmpty()) {
        if (!m_fso.folderExists(m_options.gameDir))
            throw Failure(m_options.gameDir, QStringLiteral("The game folder does not exist."));
        m_install.gameFolder = QDir::cleanPath(QFileInfo(m_options.gameDir).absoluteFilePath());
    } else {
        const QString folder = findGameFolder(m_fso, m_prompts, m_env);
        if (folder.isEmpty()) {
            const QString windows = windowsFolder(m_fso, m_env);
            const QString ini = windows.isEmpty()
                                    ? QStringLiteral("oddballz.ini")
                                    : joinPath(windows, QStringLiteral("oddballz.ini"));
            throw Failure(ini, lastMessage(m_prompts, QString()) +
                                   QStringLiteral(" (Or name the game folder with --game-dir.)"));
        }
        m_install.gameFolder = folder;
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
        m_prompts.takeMessages();
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
    switch (m_project.open(path, m_prompts, m_settings)) {
    case OpenResult::Opened:
        return;
    case OpenResult::NotProjectFile:
        throw Failure(QString(), lastMessage(m_prompts, path));
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
    commands.push_back(std::make_unique<EggCommand>());
    commands.push_back(std::make_unique<PackageCommand>());
    commands.push_back(std::make_unique<SheetCommand>());
    commands.push_back(std::make_unique<SurveyCommand>());
    commands.push_back(std::make_unique<ImportCommand>());
    return commands;
}

} // namespace yw::cli
