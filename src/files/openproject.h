#pragma once

#include "files/breedshape.h"
#include "files/projectfile.h"

#include <QString>
#include <functional>

namespace yw {

struct Installation;
struct NewProject;
struct ProjectState;
class Prompts;
class SettingsStore;

// The open project apart from its history: the file it lives in, its values and its breed's shape
// as read when it was opened or made. The command-line tool works on it directly; the editor's
// Document keeps the undo history on top of it.
class OpenProject
{
public:
    OpenProject(const Installation& install, ProjectState& state);

    const Installation& install() const { return m_install; }
    const ProjectState& state() const { return m_state; }
    ProjectState& state() { return m_state; }
    const BreedShape& shape() const { return m_shape; }
    // The full path of the project file; empty while no project is open.
    const QString& path() const { return m_path; }
    bool isOpen() const { return !m_path.isEmpty(); }

    // readProjectFile into the state and shape (a file that is not a project throws Refusal); the
    // path becomes `path` when the project was opened.
    OpenResult open(const QString& path, Prompts& prompts, const SettingsStore& settings,
                    const std::function<void()>& beforeCommit = {});
    // A project made elsewhere (New, import), already written to `path`, becomes the open one.
    void adopt(const NewProject& project, const QString& path);
    // SaveOPJ with the shape read at opening; the path becomes `path`. Throws on failure.
    void saveTo(const QString& path);

private:
    const Installation& m_install;
    ProjectState& m_state;
    BreedShape m_shape;
    QString m_path;
};

} // namespace yw
