#pragma once

#include "files/newproject.h"
#include "files/survey.h"

#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <functional>
#include <optional>

class QListWidget;
class QListWidgetItem;

namespace yw {

class FileDialogs;
class Prompts;
struct Installation;
struct ProjectState;

// A label that reports its mouse buttons, the way the wizard's flat buttons and its link need
// them: `clicked` follows a left press and a left release inside the label, whatever other
// buttons went down meanwhile.
class PressLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PressLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
};

// The New Project Wizard `newEgg`: the user ticks one base breed and presses "Go". The open
// project is not touched here: after the dialog is accepted, `created()` holds the new project
// (already written to `createdPath()`) for the caller to commit.
class NewProjectWizard : public QDialog
{
    Q_OBJECT
public:
    using UrlOpener = std::function<bool(const QUrl&)>;
    // The survey's dialogs: the user's pick of description and attributes among the texts of a
    // refusal (nothing when cancelled); the findings, which the user may change by swapping
    // (nothing when not to be saved); a refusal, with the layout report to save.
    using SurveyChooser =
        std::function<std::optional<SurveyChoices>(const QString& listText, const SurveyRefusal&)>;
    using SurveyResurvey = std::function<SurveyResult(const SurveyChoices&)>;
    using SurveyConfirmer = std::function<std::optional<SurveyFindings>(
        const QString& listText, const SurveyFindings&, const SurveyResurvey&)>;
    using SurveyRefusalShower = std::function<void(const QString& listText, const SurveyRefusal&,
                                                   const QByteArray& report)>;

    NewProjectWizard(const Installation& install, const ProjectState& state, Prompts& prompts,
                     FileDialogs& dialogs, QWidget* parent = nullptr);

    // Reads the ticked breed, asks where to save the project and writes it. True when the
    // project was created (the wizard then closes); false keeps the wizard open, except after
    // a damaged egg, which closes it.
    bool StartEgg();

    const NewProject& created() const { return m_created; }
    QString createdPath() const { return m_createdPath; }

    // Tests replace the desktop's browser.
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Tests answer the survey's dialogs.
    void setSurveyAnswers(SurveyChooser choose, SurveyConfirmer confirm,
                          SurveyRefusalShower refused)
    {
        m_chooseTexts = std::move(choose);
        m_confirmSurvey = std::move(confirm);
        m_showRefusal = std::move(refused);
    }
    QUrl linkAddress() const { return m_linkAddress; }

    // The list text of the ticked breed (empty if none, which the list never allows).
    QString checkedBreed() const;

    // A left press on "Go", "Cancel" or the link arms them; another button on "Go" or "Cancel"
    // disarms. "Cancel" and the link act, and "Go" starts, only while armed.
    bool buttonArmed = false;

    QLabel* Label1 = nullptr;
    QListWidget* bSel = nullptr;
    PressLabel* btnNext = nullptr;
    PressLabel* btnClose = nullptr;
    QLabel* Label3 = nullptr;
    PressLabel* URL = nullptr;

private:
    // The survey asks and tells through its dialogs, unless a test puts others in.
    void useSurveyDialogs();
    void createButtons();
    void createLink();
    void arrange();
    void loadBreeds();
    void itemCheck(QListWidgetItem* item);
    void flatButtonPressed(PressLabel* button, Qt::MouseButton mouseButton);
    void flatButtonReleased(PressLabel* button);
    void setLinkColour(const QColor& colour);
    void reportFailure(const QString& what, const QString& reason);
    enum class SurveyOutcome { Declined, Saved, Refused };
    // Offers to survey the egg of the base breed `stem` and saves what it finds to the user's
    // folder (set in `install` when it was empty).
    void saveSurveyReport(const QString& listText, const QByteArray& report);
    bool refuseOwnFiles(const QString& listText, const Installation& install,
                        const std::string& stem);
    SurveyOutcome offerSurvey(const QString& listText, Installation& install,
                              const std::string& stem, bool missing);

    const Installation& m_install;
    const ProjectState& m_state;
    Prompts& m_prompts;
    FileDialogs& m_dialogs;
    UrlOpener m_openUrl;
    QUrl m_linkAddress;
    SurveyChooser m_chooseTexts;
    SurveyConfirmer m_confirmSurvey;
    SurveyRefusalShower m_showRefusal;
    bool m_skipItemCheck = false;
    bool m_inItemCheck = false;
    NewProject m_created{};
    QString m_createdPath;
};

} // namespace yw
