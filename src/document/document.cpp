#include "document/document.h"

#include "files/newproject.h"
#include "files/projectfile.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"

#include <QUndoStack>

namespace yw {

Document::Document(const Installation& install, ProjectState& state, SettingsStore& settings,
                   Prompts& prompts, QObject* parent)
    : QObject(parent), m_install(install), m_state(state), m_settings(settings), m_prompts(prompts),
      m_recent(settings), m_history(new QUndoStack(this)),
      m_edits(new ProjectEdits(state, *m_history, this))
{
    connect(m_edits, &ProjectEdits::ballChanged, this, [this](int record) {
        emit changed({DocumentChange::What::Ball, record});
    });
    connect(m_edits, &ProjectEdits::textChanged, this, [this](ProjectText text) {
        emit changed({DocumentChange::What::Text, -1, text});
    });
    connect(m_history, &QUndoStack::cleanChanged, this, &Document::updateModified);
}

Document::~Document()
{
    // The history announces its end while it goes (it clears itself); the document is gone by
    // then, and so is what its listeners would ask.
    m_history->disconnect();
}

bool Document::isModified() const
{
    return isOpen() && !m_history->isClean();
}

void Document::updateModified()
{
    if (isModified() == m_modified)
        return;
    m_modified = isModified();
    emit modifiedChanged(m_modified);
}

void Document::setPath(const QString& path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(path);
    updateModified();
}

BreedShape Document::readShape(const BreedHeader* known) const
{
    BreedShape shape;
    const QString file = m_install.infoFilePath(m_state.baseBreed);
    try {
        shape.header = known ? *known : readBreedHeader(file);
        shape.labels = readBreedLabels(file);
    } catch (const Error& e) {
        shape.problem = e.message();
    }
    return shape;
}

void Document::replaced(const QString& path, BreedShape shape)
{
    m_shape = std::move(shape);
    m_history->clear();
    m_edits->endTyping();
    setPath(path);
    updateModified();
    emit changed({DocumentChange::What::Project});
}

Document::Opening Document::open(const QString& path)
{
    try {
        const OpenResult result = OpenOPJ(m_install, m_state, path, m_prompts, m_settings,
                                          [this] { emit aboutToReplace(); });
        if (result != OpenResult::Opened)
            return Opening::Refused;
    } catch (const Cancelled&) {
        return Opening::NotOpened;
    } catch (const Error& e) {
        m_prompts.message(
            QStringLiteral("The project %1 could not be opened.\r\n%2").arg(path, e.message()),
            PromptIcon::Exclamation);
        return Opening::NotOpened;
    }
    replaced(path, readShape(nullptr));
    return Opening::Opened;
}

bool Document::openAndRemember(const QString& path)
{
    const Opening opening = open(path);
    if (opening == Opening::NotOpened)
        return false;
    CycleRecentFiles(path);
    return opening == Opening::Opened;
}

void Document::openRecent(int k)
{
    if (!askSaveQuestion())
        return;
    const QString path = m_recent.entry(k);
    if (path.isEmpty())
        return;
    if (!m_install.files().fileExists(path)) {
        m_prompts.message(
            QStringLiteral("That file has been removed or renamed. Yolkwright cannot open it."),
            PromptIcon::Information);
        return;
    }
    openAndRemember(path);
}

void Document::adoptNew(const NewProject& project, const QString& path)
{
    emit aboutToReplace();
    m_state.commitProject(project.state, 2 * project.header.ballsPerSet);
    replaced(path, readShape(&project.header));
    CycleRecentFiles(path);
}

bool Document::askSaveQuestion()
{
    if (!isOpen())
        return true;
    const PromptAnswer answer = m_prompts.question(
        QStringLiteral("Would you like to save any changes made in this project?"),
        PromptButtons::YesNoCancel, PromptIcon::Question);
    if (answer == PromptAnswer::Cancel)
        return false;
    if (answer == PromptAnswer::No)
        return true;
    try {
        saveTo(m_path);
    } catch (const Error& e) {
        m_prompts.message(QStringLiteral("The project could not be saved.\r\n") + e.message(),
                          PromptIcon::Exclamation);
        return false;
    }
    return true;
}

void Document::requireUnchangedShape() const
{
    if (!m_shape.isKnown())
        return;
    const QString file = m_install.infoFilePath(m_state.baseBreed);
    const int now = readBreedHeader(file).ballsPerSet;
    if (now != ballsPerSet())
        throw FormatError(
            file, QStringLiteral("line 1"),
            QStringLiteral("%1 eBalls per set, as when the project was opened, not %2")
                .arg(ballsPerSet())
                .arg(now));
}

void Document::saveTo(const QString& path)
{
    requireUnchangedShape();
    SaveOPJ(m_install, m_state, path);
    setPath(path);
    m_history->setClean();
    // A keystroke after saving starts a step of its own, so undo can reach the saved text.
    m_edits->endTyping();
}

bool Document::saveAs(const QString& path)
{
    try {
        saveTo(path);
    } catch (const Error& e) {
        m_prompts.message(
            QStringLiteral("The project %1 could not be saved.\r\n%2").arg(path, e.message()),
            PromptIcon::Exclamation);
        return false;
    }
    CycleRecentFiles(path);
    return true;
}

void Document::CycleRecentFiles(const QString& path)
{
    m_recent.CycleRecentFiles(path);
    emit recentFilesChanged();
}

} // namespace yw
