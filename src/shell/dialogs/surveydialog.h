#pragma once

#include "files/survey.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;

namespace yw {

// The wizard's survey dialog `surveyEgg`, in one of three forms.
// - Findings: what the survey found (`surveyFound`), with a swap of the description and the
//   attributes (`surveySwapTexts`) and of the baby and the adult set (`surveySwapSets`), since
//   those are the user's choice wherever the egg does not tell; "Save" keeps `findings()`.
// - Choice: among three or more texts the user picks the description (`surveyDescription`) and
//   the attributes (`surveyAttributes`).
// - Refusal: why the egg cannot be surveyed, with "Save report..." (`surveySaveReport`).
class SurveyDialog : public QDialog
{
    Q_OBJECT
public:
    // Surveys the egg again with other choices.
    using Resurvey = std::function<SurveyResult(const SurveyChoices&)>;

    SurveyDialog(const QString& listText, const SurveyFindings& findings, Resurvey resurvey,
                 QWidget* parent = nullptr);
    SurveyDialog(const QString& listText, const SurveyRefusal& ambiguity,
                 QWidget* parent = nullptr);
    SurveyDialog(const QString& listText, const SurveyRefusal& refusal,
                 std::function<void()> saveReport, QWidget* parent = nullptr);

    // The picked texts' positions (choice form only; empty otherwise).
    SurveyChoices choices() const;
    // The findings as last shown (findings form).
    const SurveyFindings& findings() const { return m_findings; }

    QLabel* surveyFound = nullptr;
    QComboBox* surveyDescription = nullptr;
    QComboBox* surveyAttributes = nullptr;
    QPushButton* surveySwapTexts = nullptr;
    QPushButton* surveySwapSets = nullptr;
    QPushButton* surveySaveReport = nullptr;
    QDialogButtonBox* surveyButtons = nullptr;

private:
    void build(const QString& heading, const QString& acceptText);
    void swap(const SurveyChoices& choices);

    SurveyFindings m_findings;
    Resurvey m_resurvey;
};

// What a survey found, in lines a player understands.
QString surveySummary(const SurveyFindings& findings);

} // namespace yw
