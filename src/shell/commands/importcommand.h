#pragma once

namespace yw {

class FileDialogs;
class Document;
class Prompts;
struct Installation;
struct ProjectState;

// File > Open Egg or Package...: after the save question, as Open asks it, an egg or package
// made from an installed base breed becomes the open project. What was found (base breed, name,
// the package's information) is shown first; the project is saved where the user says, then
// opened and put on top of the recent files. A refusal is told naming the file and the reason,
// and nothing is saved or changed. True when a project was opened.
bool openEggOrPackage(const Installation& install, const ProjectState& state, Document& document,
                      Prompts& prompts, FileDialogs& dialogs);

} // namespace yw
