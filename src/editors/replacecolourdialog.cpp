#include "editors/replacecolourdialog.h"

#include "document/document.h"
#include "editors/colorbutton.h"
#include "editors/colorchooser.h"
#include "editors/dialogparts.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace yw {

ReplaceColourDialog::ReplaceColourDialog(Document& document, int ballsPerSet,
                                         const std::array<std::string, 2>& setNames,
                                         QWidget* parent)
    : QDialog(parent), m_edits(document.edits()), m_ballsPerSet(ballsPerSet)
{
    setObjectName(QStringLiteral("dlgReplaceColour"));
    setWindowTitle(tr("Replace Colour"));
    auto* column = new QVBoxLayout(this);

    auto* colours = new QGridLayout;
    auto addColour = [this, colours](int row, const QString& caption, const char* name,
                                     const char* numberName) {
        colours->addWidget(new QLabel(caption, this), row, 0);
        auto* button = new ColorButton(this);
        button->setObjectName(QLatin1String(name));
        button->setMinimumWidth(60);
        colours->addWidget(button, row, 1);
        auto* number = new QLabel(QStringLiteral("0"), this);
        number->setObjectName(QLatin1String(numberName));
        button->setAccessibleName(caption);
        m_numbers[size_t(row)] = number;
        colours->addWidget(number, row, 2);
        connect(button, &QPushButton::clicked, this,
                [this, button, number] { chooseColour(button, number); });
        return button;
    };
    m_from = addColour(0, tr("Replace"), "fromColor", "fromNumber");
    m_to = addColour(1, tr("with"), "toColor", "toNumber");
    column->addLayout(colours);

    auto* fields = new QGroupBox(tr("In the colours"), this);
    auto* fieldRow = new QHBoxLayout(fields);
    // The colour rows of the field table, named shorter under "In the colours".
    const std::array<const char*, kColourFieldCount> captions = {"Fill", "Border", "Sprecks"};
    for (size_t i = 0; i < kColourFieldCount; ++i) {
        m_fields[i] = new QCheckBox(tr(captions[i]), fields);
        m_fields[i]->setObjectName(QLatin1String(kEBallFields[i].tickName));
        fieldRow->addWidget(m_fields[i]);
        connect(m_fields[i], &QCheckBox::toggled, this, &ReplaceColourDialog::update);
    }
    m_fields[0]->setChecked(true);
    column->addWidget(fields);

    auto* sets = new QGroupBox(tr("Of the eBalls of"), this);
    auto* setColumn = new QVBoxLayout(sets);
    m_setA = new QRadioButton(tr("Baby (%1)").arg(cp1252::toUnicode(setNames[0])), sets);
    m_setA->setObjectName(QStringLiteral("optSetA"));
    m_setB = new QRadioButton(tr("Adult (%1)").arg(cp1252::toUnicode(setNames[1])), sets);
    m_setB->setObjectName(QStringLiteral("optSetB"));
    m_both = new QRadioButton(tr("both sets"), sets);
    m_both->setObjectName(QStringLiteral("optBoth"));
    m_setB->setChecked(true);
    for (QRadioButton* option : {m_setA, m_setB, m_both}) {
        setColumn->addWidget(option);
        connect(option, &QRadioButton::toggled, this, &ReplaceColourDialog::update);
    }
    auto* note = new QLabel(tr("The game colours both forms from the adult set."), sets);
    note->setWordWrap(true);
    setColumn->addWidget(note);
    column->addWidget(sets);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    column->addWidget(m_count);

    m_ok = addToolFooter(*this, *column, tr("Replace"), [this] { apply(); });
    update();
}

void ReplaceColourDialog::startFrom(int colour)
{
    for (size_t i = 0; i < 2; ++i) {
        (i == 0 ? m_from : m_to)->setIndex(colour);
        m_numbers[i]->setText(QString::number(colour));
    }
    update();
}

void ReplaceColourDialog::chooseColour(ColorButton* button, QLabel* number)
{
    if (const std::optional<int> picked = ColorChooser::pick(button->index(), this, button)) {
        button->setIndex(*picked);
        number->setText(QString::number(*picked));
        update();
    }
}

ColourReplacement ReplaceColourDialog::replacement() const
{
    ColourReplacement replacement;
    replacement.from = int16_t(m_from->index());
    replacement.to = int16_t(m_to->index());
    replacement.fields = {};
    for (size_t i = 0; i < kColourFieldCount; ++i)
        if (m_fields[i]->isChecked())
            replacement.fields |= kEBallFields[i].field;
    replacement.sets = m_both->isChecked()   ? BallSets(BallSet::A) | BallSet::B
                       : m_setA->isChecked() ? BallSets(BallSet::A)
                                             : BallSets(BallSet::B);
    return replacement;
}

int ReplaceColourDialog::count() const
{
    return countColourReplacements(m_edits.state().eBalls, m_ballsPerSet, replacement());
}

void ReplaceColourDialog::update()
{
    if (!m_ok)
        return; // still being built
    // A colour replaced by itself changes nothing, however many eBalls have it.
    const int n = m_from->index() == m_to->index() ? 0 : count();
    m_count->setText(n == 0   ? tr("No eBall will change.")
                     : n == 1 ? tr("1 eBall will change.")
                              : tr("%1 eBalls will change.").arg(n));
    m_ok->setEnabled(n > 0);
}

void ReplaceColourDialog::apply()
{
    const ColourReplacement chosen = replacement();
    m_edits.changeBalls(tr("Replace Colour"), [&](std::span<EBallRecord> eBalls) {
        return replaceColour(eBalls, m_ballsPerSet, chosen);
    });
    accept();
}

} // namespace yw
