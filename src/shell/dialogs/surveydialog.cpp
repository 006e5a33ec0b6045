#include "shell/dialogs/surveydialog.h"

#include "files/surveyreport.h"
#include "platform/cp1252.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace yw {

namespace {

// A text cut to one short line for the summary and the choice lists.
QString shortText(const std::string& bytes, int most = 60)
{
    const QString shown = cp1252::toUnicode(bytes).simplified();
    return shown.size() > most ? shown.left(most - 3) + QStringLiteral("...") : shown;
}

} // namespace

QString surveySummary(const SurveyFindings& findings)
{
    return surveyFindingsLines(findings).join(QLatin1Char('\n'));
}

SurveyDialog::SurveyDialog(const QString& listText, const SurveyFindings& findings,
                           Resurvey resurvey, QWidget* parent)
    : QDialog(parent), m_findings(findings), m_resurvey(std::move(resurvey))
{
    build(QStringLiteral("Yolkwright surveyed the egg of %1 and found its breed data here. Check "
                         "which text is the description and which set is the baby, swap them "
                         "if they are wrong, and save what it found, so that Yolkwright can make "
                         "breeds from %1.")
              .arg(listText),
          QStringLiteral("Save"));
    surveyFound->setText(surveySummary(m_findings));
    surveySwapTexts = new QPushButton(QStringLiteral("Swap Description and Attributes"), this);
    surveySwapTexts->setObjectName(QStringLiteral("surveySwapTexts"));
    surveySwapSets = new QPushButton(QStringLiteral("Swap Baby and Adult Set"), this);
    surveySwapSets->setObjectName(QStringLiteral("surveySwapSets"));
    connect(surveySwapTexts, &QPushButton::clicked, this,
            [this] { swap(m_findings.withTextsSwapped()); });
    connect(surveySwapSets, &QPushButton::clicked, this,
            [this] { swap(m_findings.withSetsSwapped()); });
    auto* swaps = new QHBoxLayout;
    swaps->addWidget(surveySwapTexts);
    swaps->addWidget(surveySwapSets);
    static_cast<QVBoxLayout*>(layout())->insertLayout(2, swaps);
}

void SurveyDialog::swap(const SurveyChoices& choices)
{
    const SurveyResult result = m_resurvey(choices);
    if (!result.findings) {
        // The other way round does not survive the round trip: the findings stay as they were.
        surveyFound->setText(surveySummary(m_findings) + QStringLiteral("\n\nSwapped, ") +
                             result.refusal.message);
        return;
    }
    // What the egg does not tell stays untold after a swap: the note stays with the choice.
    const bool textsOpen = m_findings.textsOpen, babyOpen = m_findings.babyOpen;
    m_findings = *result.findings;
    m_findings.textsOpen = m_findings.textsOpen || textsOpen;
    m_findings.babyOpen = m_findings.babyOpen || babyOpen;
    surveyFound->setText(surveySummary(m_findings));
}

SurveyDialog::SurveyDialog(const QString& listText, const SurveyRefusal& refusal,
                           std::function<void()> saveReport, QWidget* parent)
    : QDialog(parent)
{
    build(QStringLiteral("Yolkwright cannot survey the egg of %1. A layout report (it holds none "
                         "of the egg's texts or pictures) attached to a bug report helps us make "
                         "the survey understand eggs like it.")
              .arg(listText),
          QString());
    surveyFound->setText(refusal.message);
    surveyButtons->setStandardButtons(QDialogButtonBox::Close);
    surveySaveReport =
        surveyButtons->addButton(QStringLiteral("Save report..."), QDialogButtonBox::ActionRole);
    surveySaveReport->setObjectName(QStringLiteral("surveySaveReport"));
    connect(surveySaveReport, &QPushButton::clicked, this, std::move(saveReport));
}

SurveyDialog::SurveyDialog(const QString& listText, const SurveyRefusal& ambiguity, QWidget* parent)
    : QDialog(parent)
{
    build(QStringLiteral("Yolkwright cannot tell which text of the egg of %1 is its description "
                         "and which its attributes. Please choose them.")
              .arg(listText),
          QStringLiteral("Survey"));
    surveyFound->setText(ambiguity.message);

    surveyDescription = new QComboBox(this);
    surveyDescription->setObjectName(QStringLiteral("surveyDescription"));
    surveyAttributes = new QComboBox(this);
    surveyAttributes->setObjectName(QStringLiteral("surveyAttributes"));
    for (const TextCandidate& candidate : ambiguity.candidates) {
        const QString item =
            QStringLiteral("byte %1: %2")
                .arg(candidate.position)
                .arg(QLatin1Char('"') + shortText(candidate.text) + QLatin1Char('"'));
        surveyDescription->addItem(item, candidate.position);
        surveyAttributes->addItem(item, candidate.position);
    }
    // The longest text is the likeliest description, the next the attributes.
    std::vector<int> order(ambiguity.candidates.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return ambiguity.candidates[size_t(a)].text.size() >
               ambiguity.candidates[size_t(b)].text.size();
    });
    if (!order.empty())
        surveyDescription->setCurrentIndex(order[0]);
    if (order.size() > 1)
        surveyAttributes->setCurrentIndex(order[1]);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Description:"), surveyDescription);
    form->addRow(QStringLiteral("Attributes:"), surveyAttributes);
    static_cast<QVBoxLayout*>(layout())->insertLayout(2, form);

    // One text cannot be both.
    const auto check = [this] {
        surveyButtons->button(QDialogButtonBox::Ok)
            ->setEnabled(surveyDescription->currentIndex() != surveyAttributes->currentIndex());
    };
    connect(surveyDescription, &QComboBox::currentIndexChanged, this, check);
    connect(surveyAttributes, &QComboBox::currentIndexChanged, this, check);
    check();
}

void SurveyDialog::build(const QString& heading, const QString& acceptText)
{
    setObjectName(QStringLiteral("surveyEgg"));
    setWindowTitle(QStringLiteral("Survey the Egg"));
    setModal(true);

    auto* top = new QLabel(heading, this);
    top->setWordWrap(true);
    surveyFound = new QLabel(this);
    surveyFound->setObjectName(QStringLiteral("surveyFound"));
    surveyFound->setTextFormat(Qt::PlainText);
    surveyFound->setWordWrap(true);
    surveyFound->setTextInteractionFlags(Qt::TextSelectableByMouse);

    surveyButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    surveyButtons->setObjectName(QStringLiteral("surveyButtons"));
    surveyButtons->button(QDialogButtonBox::Ok)->setText(acceptText);
    connect(surveyButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(surveyButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(surveyFound);
    layout->addWidget(surveyButtons);
}

SurveyChoices SurveyDialog::choices() const
{
    SurveyChoices picked;
    if (surveyDescription && surveyDescription->currentIndex() >= 0)
        picked.descriptionPosition = surveyDescription->currentData().toLongLong();
    if (surveyAttributes && surveyAttributes->currentIndex() >= 0)
        picked.attributesPosition = surveyAttributes->currentData().toLongLong();
    return picked;
}

} // namespace yw
