#pragma once

#include "files/breedresources.h"
#include "files/survey.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/refusal.h"

#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

namespace yw {

class Prompts;

struct BaseBreedEntry
{
    QString listText;
    std::string stem;
};

// The 13 base breeds in the wizard's order; only "Quadrapus" has a stem other than its text.
const std::vector<BaseBreedEntry>& baseBreeds();
// The base breed whose list text or stem is `name`, in any letter case; null when none is.
const BaseBreedEntry* findBaseBreed(const QString& name);

enum class NewProjectStatus { Created, NotInstalled, NoResources, DamagedEgg };

struct NewProject
{
    NewProjectStatus status = NewProjectStatus::DamagedEgg;
    ProjectState state; // a fresh copy of the current state filled from the base egg
    BreedShape shape;   // the base breed's information file, read once
};

// Why readBaseBreedOrThrow refused a base breed: the file to blame, the words for the user.
class BaseBreedRefused : public Refusal
{
public:
    BaseBreedRefused(const QString& file, const QString& reason, PromptIcon icon,
                     NewProjectStatus status)
        : Refusal(file, reason, icon), m_status(status)
    {}
    NewProjectStatus status() const { return m_status; }

private:
    NewProjectStatus m_status;
};

// The wizard's reading of a base breed: checks that the egg and the resource files are there,
// then reads both ball sets, the name block, tips, description and attributes into a copy of
// `current`. Every expected problem throws BaseBreedRefused; an unreadable file throws its own
// error. Never touches `current`: the caller commits after its save dialog.
NewProject readBaseBreedOrThrow(const Installation& install, const ProjectState& current,
                                const QString& listText);
// readBaseBreedOrThrow for the wizard: an expected problem is told through `prompts` and given
// as the status.
NewProject readBaseBreed(const Installation& install, const ProjectState& current,
                         const QString& listText, Prompts& prompts);

// The wizard's reading of a base egg at the state's locator values: both ball sets, the name
// block, tips, description and attributes into `fresh`. Throws FormatError when they do not read.
void readEggRegions(ProjectState& fresh, int ballsPerSet, const QByteArray& egg,
                    const QString& eggPath);

// Whether the program has resource files for the base breed `stem`, the wizard's reads succeed
// on its installed egg at their positions and writing that breed back unchanged loses nothing.
// Never throws.
bool resourcesFitEgg(const Installation& install, const std::string& stem);

// Saves what a survey found as `<stem>.blz` and `<stem>.loc` in `folder` (made if missing).
// Throws FileError; the two are saved together (saveFilesTogether), so that a half pair never
// hides the shipped files or describes another egg. Both pass the output rule first, with the
// survey's `inputs` (requireSurveyedFilesAllowed, for checking before the survey runs). Returns
// the two paths written.
std::pair<QString, QString> saveSurveyedFiles(const Installation& install,
                                              const SurveyFindings& findings,
                                              const std::string& stem, const QString& folder,
                                              const QStringList& inputs);
void requireSurveyedFilesAllowed(const Installation& install, const std::string& stem,
                                 const QString& folder, const QStringList& inputs);

// The new project's file (build field 2), saved atomically.
void writeNewProjectFile(const Installation& install, const NewProject& project,
                         const QString& path);

} // namespace yw
