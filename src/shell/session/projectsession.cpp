#include "shell/session/projectsession.h"

#include "files/newproject.h"
#include "files/projectfile.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"

namespace yw {

ProjectSession::ProjectSession(const Installation& install, ProjectState& state,
                               SettingsStore& settings, Prompts& prompts, QObject* parent)
    : QObject(parent), m_install(install), m_state(state), m_settings(settings), m_prompts(prompts),
      m_recent(settings)
{}

bool ProjectSession::isModified() const
{
    return isOpen() && (!m_tracking || m_modified);
}

void ProjectSession::setChangeTracking(bool on)
{
    const bool before = isModified();
    m_tracking = on;
    if (isModified() != before)
        emit modifiedChanged(isModified());
}

void ProjectSession::setModified(bool modified)
{
    const bool before = isModified();
    m_modified = modified;
    if (isModified() != before)
        emit modifiedChanged(isModified());
}

void ProjectSession::setPath(const QString& path)
{
    if (path == m_path)
        return;
    m_path = path;
    emit pathChanged(path);
}

void ProjectSession::replaced(const QString& path)
{
    setPath(path);
    setModified(false);
    emit projectReplaced(path);
}

ProjectSession::Opening ProjectSession::open(const QString& path)
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
    replaced(path);
    return Opening::Opened;
}

bool ProjectSession::openAndRemember(const QString& path)
{
    const Opening opening = open(path);
    if (opening == Opening::NotOpened)
        return false;
    CycleRecentFiles(path);
    return opening == Opening::Opened;
}

void ProjectSession::openRecent(int k)
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

void ProjectSession::adoptNew(const NewProject& project, const QString& path)
{
    emit aboutToReplace();
    m_state.commitProject(project.state, 2 * project.header.ballsPerSet);
    replaced(path);
    CycleRecentFiles(path);
}

bool ProjectSession::askSaveQuestion()
{
    if (!isModified())
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

void ProjectSession::saveTo(const QString& path)
{
    SaveOPJ(m_install, m_state, path);
    setPath(path);
    setModified(false);
    emit saved(path);
}

bool ProjectSession::saveAs(const QString& path)
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

void ProjectSession::CycleRecentFiles(const QString& path)
{
    m_recent.CycleRecentFiles(path);
    emit recentFilesChanged();
}

} // namespace yw
