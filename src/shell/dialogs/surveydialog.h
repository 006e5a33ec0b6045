#pragma once

#include "files/survey.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace yw {

// The wizard's survey dialog `surveyEgg`. Shown with findings, it tells in a player's words what
// the survey found in a base egg (`surveyFound`) and asks whether to save it. Shown with a
// refusal that lists texts, it lets the user pick the description (`surveyDescription`) and the
// attributes (`surveyAttributes`) among them.
class SurveyDialog : public QDialog
{
    Q_OBJECT
public:
    SurveyDialog(const QString& listText, const SurveyFindings& findings,
                 QWidget* parent = nullptr);
    SurveyDialog(const QString& listText, const SurveyRefusal& ambiguity,
                 QWidget* parent = nullptr);

    // The picked texts' positions (choice form only; empty otherwise).
    SurveyChoices choices() const;

    QLabel* surveyFound = nullptr;
    QComboBox* surveyDescription = nullptr;
    QComboBox* surveyAttributes = nullptr;
    QDialogButtonBox* surveyButtons = nullptr;

private:
    void build(const QString& heading, const QString& acceptText);
};

// What a survey found, in lines a player understands.
QString surveySummary(const SurveyFindings& findings);

} // namespace yw
