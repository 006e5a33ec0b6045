#include "shell/dialogs/surveydialog.h"

#include "platform/cp1252.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
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

QString quoted(const std::string& bytes)
{
    return QLatin1Char('"') + shortText(bytes) + QLatin1Char('"');
}

} // namespace

QString surveySummary(const SurveyFindings& findings)
{
    const ProjectState& read = findings.read;
    const int n = findings.header.ballsPerSet;
    QStringList labels;
    for (size_t k = 0; k < findings.labels.size() && k < 4; ++k)
        labels.append(cp1252::toUnicode(findings.labels[k]));
    if (findings.labels.size() > 4)
        labels.append(QStringLiteral("..."));

    QStringList lines;
    lines.append(QStringLiteral("Baby ball set %1: %2 eBalls (%3)")
                     .arg(cp1252::toUnicode(findings.header.lnzNameA))
                     .arg(n)
                     .arg(labels.join(QStringLiteral(", "))));
    lines.append(QStringLiteral("Adult ball set %1: %2 eBalls")
                     .arg(cp1252::toUnicode(findings.header.lnzNameB))
                     .arg(n));
    lines.append(QStringLiteral("Name: %1, tray %2, slot %3")
                     .arg(cp1252::toUnicode(read.breedName), cp1252::toUnicode(read.eggTray),
                          cp1252::toUnicode(read.eggSlot)));
    lines.append(QStringLiteral("Description: %1 (room for %2 characters)")
                     .arg(quoted(read.breedDescription))
                     .arg(findings.locator.locDescLen));
    lines.append(QStringLiteral("Attributes: %1 (room for %2 characters)")
                     .arg(quoted(read.breedAttributes))
                     .arg(findings.locator.locAttrLen));
    const int pairs = std::min((findings.locator.tipCount + 1) / 2, kMaxTipPairs);
    lines.append(QStringLiteral("Tips: %1 pairs").arg(pairs));
    for (int t = 0; t < pairs; ++t)
        lines.append(QStringLiteral("  %1. %2 (demo: %3)")
                         .arg(t + 1)
                         .arg(quoted(read.regTips[size_t(t)]), quoted(read.demoTips[size_t(t)])));
    return lines.join(QLatin1Char('\n'));
}

SurveyDialog::SurveyDialog(const QString& listText, const SurveyFindings& findings, QWidget* parent)
    : QDialog(parent)
{
    build(QStringLiteral("Yolkwright surveyed the egg of %1 and found its breed data here. Save "
                         "what it found, so that Yolkwright can make breeds from %1?")
              .arg(listText),
          QStringLiteral("Save"));
    surveyFound->setText(surveySummary(findings));
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
