#include "shell/dialogs/newprojectwizard.h"

#include "files/outputguard.h"
#include "files/surveyreport.h"
#include "model/edition.h"
#include "model/gameinstall.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"
#include "platform/savefile.h"
#include "shell/dialogs/filedialogs.h"
#include "shell/dialogs/surveydialog.h"
#include "shell/help/weblinks.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace yw {

PressLabel::PressLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void PressLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit pressed(event->button());
    event->accept();
}

void PressLabel::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->button());
    if (event->button() == Qt::LeftButton && m_leftDown) {
        m_leftDown = false;
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    event->accept();
}

NewProjectWizard::NewProjectWizard(const Installation& install, const ProjectState& state,
                                   Prompts& prompts, FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_install(install), m_state(state), m_prompts(prompts), m_dialogs(dialogs),
      m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      m_linkAddress(webAddress(WebPlace::OddPlanet, QString()))
{
    setObjectName(QStringLiteral("newEgg"));
    setWindowTitle(QStringLiteral("New Project Wizard"));
    setModal(true);
    useSurveyDialogs();

    Label1 = new QLabel(
        QStringLiteral("Please select a breed from the following list to base your work on. "
                       "The finished product will take characteristics and overall body "
                       "structure from your selection."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    bSel = new QListWidget(this);
    bSel->setObjectName(QStringLiteral("bSel"));
    bSel->addItem(QStringLiteral("Quadrapus"));
    createButtons();
    createLink();
    arrange();

    connect(bSel, &QListWidget::itemChanged, this, &NewProjectWizard::itemCheck);
    // A click on the breed's name ticks it too, so what is highlighted is what "Go" uses.
    connect(bSel, &QListWidget::itemClicked, this, [](QListWidgetItem* item) {
        if (item->checkState() != Qt::Checked)
            item->setCheckState(Qt::Checked);
    });
    loadBreeds();
}

void NewProjectWizard::useSurveyDialogs()
{
    m_chooseTexts = [this](const QString& listText,
                           const SurveyRefusal& ambiguity) -> std::optional<SurveyChoices> {
        SurveyDialog dialog(listText, ambiguity, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.choices();
    };
    m_confirmSurvey = [this](const QString& listText, const SurveyFindings& findings,
                             const SurveyResurvey& resurvey) -> std::optional<SurveyFindings> {
        SurveyDialog dialog(listText, findings, resurvey, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.findings();
    };
    m_showRefusal = [this](const QString& listText, const SurveyRefusal& refusal,
                           const QByteArray& report) {
        SurveyDialog dialog(
            listText, refusal, [this, &report, listText] { saveSurveyReport(listText, report); },
            this);
        dialog.exec();
    };
}

void NewProjectWizard::createButtons()
{
    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new PressLabel(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAlignment(Qt::AlignCenter);
        button->setFrameShape(QFrame::Panel);
        button->setFrameShadow(QFrame::Raised);
        button->setAutoFillBackground(true);
        button->setBackgroundRole(QPalette::Button);
        button->setForegroundRole(QPalette::ButtonText);
        button->setMinimumSize(80, 26);
        connect(button, &PressLabel::pressed, this, [this, button](Qt::MouseButton mouseButton) {
            flatButtonPressed(button, mouseButton);
        });
        connect(button, &PressLabel::released, this,
                [this, button](Qt::MouseButton) { flatButtonReleased(button); });
        return button;
    };
    btnNext = makeButton("btnNext", QStringLiteral("Go"));
    btnClose = makeButton("btnClose", QStringLiteral("Cancel"));
    connect(btnNext, &PressLabel::clicked, this, [this] {
        if (StartEgg())
            accept();
    });
    connect(btnClose, &PressLabel::clicked, this, [this] {
        if (buttonArmed)
            reject();
    });
}

void NewProjectWizard::createLink()
{
    Label3 = new QLabel(QStringLiteral("Related Sites"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont heading = Label3->font();
    heading.setBold(true);
    Label3->setFont(heading);

    URL = new PressLabel(QStringLiteral("The Odd Planet"), this);
    URL->setObjectName(QStringLiteral("URL"));
    URL->setCursor(Qt::PointingHandCursor);
    URL->setToolTip(m_linkAddress.toString());
    QFont underlined = URL->font();
    underlined.setUnderline(true);
    URL->setFont(underlined);
    setLinkColour(QColor(0, 0, 255));
    connect(URL, &PressLabel::pressed, this, [this](Qt::MouseButton button) {
        if (button != Qt::LeftButton)
            return;
        buttonArmed = true;
        setLinkColour(QColor(255, 0, 0));
    });
    connect(URL, &PressLabel::released, this,
            [this](Qt::MouseButton) { setLinkColour(QColor(0, 0, 255)); });
    connect(URL, &PressLabel::clicked, this, [this] {
        if (!buttonArmed)
            return;
        buttonArmed = false;
        if (m_openUrl)
            m_openUrl(m_linkAddress);
    });
}

void NewProjectWizard::arrange()
{
    auto* sites = new QVBoxLayout;
    sites->addWidget(Label3);
    sites->addWidget(URL);
    sites->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addWidget(bSel, 1);
    middle->addLayout(sites);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnNext);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(440, 360);
}

void NewProjectWizard::loadBreeds()
{
    QListWidgetItem* first = bSel->item(0);
    {
        const QSignalBlocker quiet(bSel);
        first->setFlags(first->flags() | Qt::ItemIsUserCheckable);
    }
    m_skipItemCheck = true;
    first->setCheckState(Qt::Checked);
    // Should the check not have reported itself, the user's first tick must still count.
    m_skipItemCheck = false;
    const std::vector<BaseBreedEntry>& breeds = baseBreeds();
    for (size_t i = 1; i < breeds.size(); ++i) {
        auto* item = new QListWidgetItem(breeds[i].listText);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        bSel->addItem(item);
    }
    bSel->setCurrentRow(0);
}

void NewProjectWizard::itemCheck(QListWidgetItem* item)
{
    // The changes made here would report themselves again.
    if (m_inItemCheck)
        return;
    if (m_skipItemCheck) {
        m_skipItemCheck = false;
        return;
    }
    m_inItemCheck = true;
    for (int i = 0; i < bSel->count(); ++i)
        bSel->item(i)->setCheckState(Qt::Unchecked);
    item->setCheckState(Qt::Checked);
    m_inItemCheck = false;
}

QString NewProjectWizard::checkedBreed() const
{
    QString text;
    for (int i = 0; i < bSel->count(); ++i) {
        if (bSel->item(i)->checkState() == Qt::Checked)
            text = bSel->item(i)->text();
    }
    return text;
}

void NewProjectWizard::flatButtonPressed(PressLabel* button, Qt::MouseButton mouseButton)
{
    if (mouseButton != Qt::LeftButton) {
        buttonArmed = false;
        return;
    }
    buttonArmed = true;
    button->setBackgroundRole(QPalette::Dark);
}

void NewProjectWizard::flatButtonReleased(PressLabel* button)
{
    button->setBackgroundRole(QPalette::Button);
}

void NewProjectWizard::setLinkColour(const QColor& colour)
{
    QPalette palette = URL->palette();
    palette.setColor(QPalette::WindowText, colour);
    URL->setPalette(palette);
}

void NewProjectWizard::reportFailure(const QString& what, const QString& reason)
{
    m_prompts.message(what + QStringLiteral("\r\n") + reason, PromptIcon::Exclamation);
}

NewProjectWizard::SurveyOutcome NewProjectWizard::offerSurvey(const QString& listText,
                                                              Installation& install,
                                                              const std::string& stem, bool missing)
{
    const QString offer =
        (missing ? QStringLiteral("Yolkwright has no information about the breed that was "
                                  "selected, %1.")
                 : QStringLiteral("The information Yolkwright has about the breed that was "
                                  "selected, %1, does not match its egg in your Oddballz "
                                  "folder.")) +
        QStringLiteral(" Yolkwright can survey the egg to find where its breed data lie and save "
                       "what it finds for you (the egg itself is not changed). Survey it now?");
    if (m_prompts.question(offer.arg(listText), PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return SurveyOutcome::Declined;

    const QString eggPath = install.baseEggPath(stem);
    QByteArray egg;
    try {
        egg = readWholeFile(eggPath, kEggFileLimit);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The egg %1 could not be surveyed.").arg(eggPath),
                      e.message());
        return SurveyOutcome::Refused;
    }
    SurveyResult result = surveyEgg(egg, stem);
    if (!result.findings && !result.refusal.candidates.empty()) {
        const std::optional<SurveyChoices> picked = m_chooseTexts(listText, result.refusal);
        if (!picked)
            return SurveyOutcome::Declined;
        result = surveyEgg(egg, stem, *picked);
    }
    if (!result.findings) {
        m_showRefusal(listText, result.refusal, surveyLayoutReport(egg, stem, result));
        return SurveyOutcome::Refused;
    }
    const std::optional<SurveyFindings> confirmed =
        m_confirmSurvey(listText, *result.findings, [&](const SurveyChoices& choices) {
            return surveyEgg(egg, stem, choices);
        });
    if (!confirmed)
        return SurveyOutcome::Declined;

    // Only the player's own folder: the shipped files stay as they came.
    if (install.userFolder.isEmpty())
        install.userFolder = userDataFolder();
    try {
        const auto [info, locator] =
            saveSurveyedFiles(install, *confirmed, stem, install.userResourceFolder(),
                              {install.baseEggPath(stem), install.baseCompanionPath(stem)});
        m_prompts.message(
            QStringLiteral("What the survey found about %1 was saved as %2 and %3.")
                .arg(listText, QDir::toNativeSeparators(info), QDir::toNativeSeparators(locator)),
            PromptIcon::Information);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The resource files for %1 could not be saved.").arg(listText),
                      e.message());
        return SurveyOutcome::Refused;
    }
    return SurveyOutcome::Saved;
}

// The player's own resource files (an earlier survey's) that no longer fit the egg are theirs
// to blame, not the egg: the shipped ones would be read without them.
bool NewProjectWizard::refuseOwnFiles(const QString& listText, const Installation& install,
                                      const std::string& stem)
{
    const QString locator = install.locatorFilePath(stem);
    const QString own = QDir::cleanPath(install.files().resolve(install.userResourceFolder()));
    if (QDir::cleanPath(QFileInfo(locator).absolutePath()) != own)
        return false;
    m_prompts.message(QStringLiteral("Your own information about %1, %2, does not match its egg "
                                     "%3, so no project was made. Survey the egg again, or remove "
                                     "your own files to use the ones Yolkwright came with.")
                          .arg(listText, QDir::toNativeSeparators(locator),
                               QDir::toNativeSeparators(install.baseEggPath(stem))),
                      PromptIcon::Exclamation);
    return true;
}

void NewProjectWizard::saveSurveyReport(const QString& listText, const QByteArray& report)
{
    m_dialogs.suggestName(fileNameFrom(listText) + QStringLiteral("-report"));
    const QString path = m_dialogs.savePath(FileKind::Report, kReportFilter).trimmed();
    if (path.isEmpty())
        return;
    try {
        // The egg it reports on lies in the eggz tree, which no report may replace.
        requireOutputAllowed(m_install, path, {});
        saveFileAtomically(path, report);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The report %1 could not be saved.").arg(path), e.message());
    }
}

bool NewProjectWizard::StartEgg()
{
    if (!buttonArmed)
        return false;

    // The last ticked entry wins; the list keeps exactly one ticked.
    for (int i = 0; i < bSel->count(); ++i) {
        if (bSel->item(i)->checkState() == Qt::Checked)
            bSel->setCurrentRow(i);
    }
    const QString listText = bSel->currentItem() ? bSel->currentItem()->text() : QString();

    // A breed whose resource files are missing or describe another egg can be surveyed here, so
    // that a player with the real game need not measure the egg by hand. Declining leaves the
    // refusal below as it always was.
    const BaseBreedEntry* chosen = findBaseBreed(listText);
    const std::string stem = chosen ? chosen->stem : std::string();
    Installation install = m_install;
    const FileSystem& files = install.files();
    if (files.fileExists(install.baseEggPath(stem)) && !resourcesFitEgg(install, stem)) {
        const bool missing = !files.fileExists(install.infoFilePath(stem)) ||
                             !files.fileExists(install.locatorFilePath(stem));
        const SurveyOutcome outcome = offerSurvey(listText, install, stem, missing);
        if (outcome == SurveyOutcome::Refused)
            return false;
        if (outcome == SurveyOutcome::Declined && !missing &&
            refuseOwnFiles(listText, install, stem))
            return false;
    }

    NewProject project;
    try {
        project = readBaseBreed(install, m_state, listText, m_prompts);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The breed %1 could not be read.").arg(listText), e.message());
        return false;
    }
    switch (project.status) {
    case NewProjectStatus::Created:
        break;
    case NewProjectStatus::NotInstalled:
    case NewProjectStatus::NoResources:
        return false;
    case NewProjectStatus::DamagedEgg:
        reject();
        return false;
    }

    m_dialogs.suggestName(fileNameFrom(cp1252::toUnicode(project.state.breedName)));
    const QString path = m_dialogs.savePath(FileKind::Project, kProjectFilter).trimmed();
    if (path.isEmpty())
        return false;
    try {
        writeNewProjectFile(m_install, project, path);
    } catch (const Error& e) {
        reportFailure(QStringLiteral("The project %1 could not be saved.").arg(path), e.message());
        return false;
    }
    m_created = std::move(project);
    m_createdPath = path;
    return true;
}

} // namespace yw
