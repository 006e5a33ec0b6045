#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace yw {

struct BreedShape;
struct Installation;
struct ProjectState;
class Prompts;
class SettingsStore;

inline constexpr char kProjectHeader[] = "[Yolkwright Project File]";

// The project file's bytes for a state whose base breed has `ballsPerSet` eBalls per set.
// `buildField` is the number after the build text: 0 from SaveOPJ, 2 from the wizard.
QByteArray projectFileBytes(const Installation& install, const ProjectState& state, int ballsPerSet,
                            int buildField);

// Writes the project of the breed `shape` atomically: on failure the old file is intact. Throws on
// failure.
void SaveOPJ(const Installation& install, const ProjectState& state, const BreedShape& shape,
             const QString& path);

enum class OpenResult {
    Opened,
    NotProjectFile, // the header was wrong; the user has been told (OpenOPJ only)
    Declined,       // the user answered No to the version question
};

// Reads the project at `path` into a copy of `state`, with the base breed's information file into
// `shape`, and commits both only when they were read whole; any failure throws (naming the file and
// line) and leaves `state` and `shape` as they were.
// `beforeCommit` runs just before the commit: the editor windows close there and store what
// they show, which the file's values then replace.
OpenResult OpenOPJ(const Installation& install, ProjectState& state, BreedShape& shape,
                   const QString& path, Prompts& prompts, const SettingsStore& settings,
                   const std::function<void()>& beforeCommit = {});
// OpenOPJ for a caller that tells the user itself: a file that is not a project throws Refusal
// instead of being told through `prompts`.
OpenResult readProjectFile(const Installation& install, ProjectState& state, BreedShape& shape,
                           const QString& path, Prompts& prompts, const SettingsStore& settings,
                           const std::function<void()>& beforeCommit = {});

} // namespace yw
