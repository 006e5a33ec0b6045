#pragma once

#include <QByteArray>
#include <QString>

namespace yw {

struct BreedShape;
struct EggGrowth;
struct Installation;
struct ProjectState;
class Prompts;
class SettingsStore;

// The one line of "ypkinfo.inf". A double quote inside a text field becomes character 148, so no
// text can break the line. Throws Error when a site text holds a character Windows-1252 lacks.
QByteArray ypkInfoBytes(const ProjectState& state, const QString& siteName, const QString& siteUrl);

// Writes the package: the egg (and companion) and "ypkinfo.inf" into a private temporary folder
// made for this call and always removed, then a cabinet holding "ypkinfo.inf", N.odx if any and
// N.odd (N the package's base name), saved atomically. `projectPath` is the project file the
// package is made from, empty when there is none; the package never replaces it (nor the base
// breed's files). `growth` as for saveODD.
void SaveYPK(const Installation& install, const ProjectState& state, const BreedShape& shape,
             const QString& packagePath, Prompts& prompts, const SettingsStore& settings,
             const QString& projectPath = QString(), EggGrowth* growth = nullptr);

} // namespace yw
