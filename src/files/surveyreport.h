#pragma once

#include "files/survey.h"

#include <QByteArray>
#include <QStringList>
#include <string>

namespace yw {

// What a survey found, one line per region with its position, room and first words, as the
// wizard's findings and the command line show it; then the notes and the choices the egg did not
// settle.
QStringList surveyFindingsLines(const SurveyFindings& findings);

// The candidates of a refusal or an open choice, one line each: position and first words.
QStringList surveyTextLines(const std::vector<TextCandidate>& texts, qint64 total);
QStringList surveySetLines(const SurveyFindings& findings);

// A layout report a player can attach to a bug report: the egg's size and resource table, the
// outcome, and each region looked at with its length and the classes of the bytes at its edges.
// It holds none of the egg's texts or pictures: quoted words of a refusal are left out.
QByteArray surveyLayoutReport(const QByteArray& egg, const std::string& stem,
                              const SurveyResult& result);

} // namespace yw
