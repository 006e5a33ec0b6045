#include "document/document.h"

#include "files/newproject.h"
#include "files/projectfile.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/refusal.h"
#include "platform/setting.h"

#include <QUndoStack>

namespace yw {

Document::Document(const Installation& install, ProjectState& state, SettingsStore& settings,
                   Prompts& prompts, QObject* parent)
    : QObject(parent), m_install(install), m_project(install, state), m_settings(settings),
      m_prompts(prompts), m_recent(settings), m_history(new QUndoStack(this)),
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

bool Document::textsMayGrow() const
{
    return setting::optGrow.number(m_settings) == 1;
}

void Document::updateModified()
{
    if (isModified() == m_modified)
        return;
    m_modified = isModified();
    emit modifiedChanged(m_modified);
}

void Document::pathMayHaveChanged(const QString& oldPath)
{
    if (path() == oldPath)
        return;
    emit pathChanged(path());
    updateModified();
}

void Document::replaced(const QString& oldPath)
{
    m_history->clear();
    m_edits->endTyping();
    pathMayHaveChanged(oldPath);
    updateModified();
    emit changed({DocumentChange::What::Project});
}

Document::Opening Document::open(const QString& path)
{
    const QString oldPath = m_project.path();
    try {
        const OpenResult result =
            m_project.open(path, m_prompts, m_settings, [this] { emit aboutToReplace(); });
        if (result != OpenResult::Opened)
            return Opening::Refused;
    } catch (const Cancelled&) {
        return Opening::NotOpened;
    } catch (const Refusal& e) {
        m_prompts.message(e.reason(), e.icon());
        return Opening::Refused;
    } catch (const Error& e) {
        m_prompts.message(
            QStringLiteral("The project %1 could not be opened.\r\n%2").arg(path, e.message()),
            PromptIcon::Exclamation);
        return Opening::NotOpened;
    }
    replaced(oldPath);
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

void Document::reopen()
{
    if (!isOpen() || !askSaveQuestion())
        return;
    open(path());
}

void Document::adoptNew(const NewProject& project, const QString& path)
{
    emit aboutToReplace();
    const QString oldPath = m_project.path();
    m_project.adopt(project, path);
    replaced(oldPath);
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
        saveTo(path());
    } catch (const Error& e) {
        m_prompts.message(QStringLiteral("The project could not be saved.\r\n") + e.message(),
                          PromptIcon::Exclamation);
        return false;
    }
    return true;
}

void Document::saveTo(const QString& path)
{
    const QString oldPath = m_project.path();
    m_project.saveTo(path);
    pathMayHaveChanged(oldPath);
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
