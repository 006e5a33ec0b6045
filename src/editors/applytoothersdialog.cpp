#include "editors/applytoothersdialog.h"

#include "document/document.h"
#include "editors/dialogparts.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace yw {

ApplyToOthersDialog::ApplyToOthersDialog(Document& document, int ballsPerSet, BallSet set,
                                         int source, const std::vector<std::string>& labels,
                                         QWidget* parent)
    : QDialog(parent), m_edits(document.edits()), m_ballsPerSet(ballsPerSet), m_set(set),
      m_source(source), m_labels(labels)
{
    setObjectName(QStringLiteral("dlgApplyToOthers"));
    setWindowTitle(tr("Apply to Others"));
    // A set has ballsPerSet eBalls, labelled or not.
    m_labels.resize(size_t(ballsPerSet));
    for (size_t i = 0; i < m_labels.size(); ++i)
        if (m_labels[i].empty())
            m_labels[i] = "eBall " + std::to_string(i + 1);

    auto* column = new QVBoxLayout(this);
    auto* from =
        new QLabel(tr("Copy from %1:").arg(cp1252::toUnicode(m_labels[size_t(source)])), this);
    column->addWidget(from);

    auto* fields = new QGroupBox(tr("These fields"), this);
    auto* grid = new QGridLayout(fields);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const EBallFieldRow& row = kEBallFields[i];
        m_fields[i] = new QCheckBox(ProjectEdits::fieldName(row.field), fields);
        m_fields[i]->setObjectName(QLatin1String(row.tickName));
        m_fields[i]->setChecked(kColourFields & row.field);
        grid->addWidget(m_fields[i], int(i) / 2, int(i) % 2);
        connect(m_fields[i], &QCheckBox::toggled, this, &ApplyToOthersDialog::update);
    }
    column->addWidget(fields);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(tr("Labels containing"), this));
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("fltWord"));
    filterRow->addWidget(m_word, 1);
    auto* tick = new QPushButton(tr("Tick"), this);
    tick->setObjectName(QStringLiteral("btnTick"));
    tick->setAutoDefault(false);
    filterRow->addWidget(tick);
    auto* none = new QPushButton(tr("Untick All"), this);
    none->setObjectName(QStringLiteral("btnNone"));
    none->setAutoDefault(false);
    filterRow->addWidget(none);
    column->addLayout(filterRow);
    connect(tick, &QPushButton::clicked, this, &ApplyToOthersDialog::tickMatching);
    connect(m_word, &QLineEdit::returnPressed, this, &ApplyToOthersDialog::tickMatching);
    connect(none, &QPushButton::clicked, this, [this] {
        for (int row = 0; row < m_list->count(); ++row)
            m_list->item(row)->setCheckState(Qt::Unchecked);
    });

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstBalls"));
    for (size_t i = 0; i < m_labels.size(); ++i) {
        auto* item = new QListWidgetItem(cp1252::toUnicode(m_labels[i]), m_list);
        item->setCheckState(Qt::Unchecked);
        // The eBall copied from is no target.
        if (int(i) == source)
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
    }
    connect(m_list, &QListWidget::itemChanged, this, &ApplyToOthersDialog::update);
    column->addWidget(m_list, 1);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    column->addWidget(m_count);

    m_ok = addToolFooter(*this, *column, tr("Apply"), [this] { apply(); });
    update();
}

void ApplyToOthersDialog::tickMatching()
{
    for (int position : labelsContaining(m_labels, m_word->text())) {
        if (position != m_source)
            m_list->item(position)->setCheckState(Qt::Checked);
    }
}

EBallFields ApplyToOthersDialog::fields() const
{
    EBallFields chosen;
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->isChecked())
            chosen |= kEBallFields[i].field;
    return chosen;
}

std::vector<int> ApplyToOthersDialog::targets() const
{
    std::vector<int> ticked;
    for (int row = 0; row < m_list->count(); ++row)
        if (row != m_source && m_list->item(row)->checkState() == Qt::Checked)
            ticked.push_back(row);
    return ticked;
}

void ApplyToOthersDialog::update()
{
    // What applying would change, counted on a copy of the table.
    auto table = m_edits.state().eBalls;
    const int n = applyToOthers(table, m_ballsPerSet, m_set, m_source, targets(), fields());
    m_count->setText(n == 0   ? tr("No eBall will change.")
                     : n == 1 ? tr("1 eBall will change.")
                              : tr("%1 eBalls will change.").arg(n));
    m_ok->setEnabled(n > 0);
}

void ApplyToOthersDialog::apply()
{
    const std::vector<int> ticked = targets();
    const EBallFields chosen = fields();
    m_edits.changeBalls(tr("Apply to Others"), [&](std::span<EBallRecord> eBalls) {
        return applyToOthers(eBalls, m_ballsPerSet, m_set, m_source, ticked, chosen);
    });
    accept();
}

} // namespace yw
