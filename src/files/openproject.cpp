#include "files/openproject.h"

#include "files/newproject.h"
#include "model/projectstate.h"

namespace yw {

OpenProject::OpenProject(const Installation& install, ProjectState& state)
    : m_install(install), m_state(state)
{}

OpenResult OpenProject::open(const QString& path, Prompts& prompts, const SettingsStore& settings,
                             const std::function<void()>& beforeCommit)
{
    const OpenResult result =
        readProjectFile(m_install, m_state, m_shape, path, prompts, settings, beforeCommit);
    if (result == OpenResult::Opened)
        m_path = path;
    return result;
}

void OpenProject::adopt(const NewProject& project, const QString& path)
{
    m_state.commitProject(project.state, 2 * project.shape.ballsPerSet());
    m_shape = project.shape;
    m_path = path;
}

void OpenProject::saveTo(const QString& path)
{
    SaveOPJ(m_install, m_state, m_shape, path);
    m_path = path;
}

} // namespace yw
