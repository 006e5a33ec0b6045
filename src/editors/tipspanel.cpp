#include "editors/tipspanel.h"

#include "document/document.h"
#include "editors/codepagefields.h"
#include "editors/twips.h"
#include "files/eggwriter.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace yw {

TipsPanel::TipsPanel(Document& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_edits(document.edits()), m_state(document.state())
{
    setObjectName(QStringLiteral("frmTips"));
    setWindowTitle(tr("Tips"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips(60), twips(60), twips(60), twips(60));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tiptabs"));
    layout->addWidget(m_tabs);
    // All six tips share one room in the egg, so the room is the block's, under both pages.
    m_room = new QLabel(this);
    m_room->setObjectName(QStringLiteral("tipsRoom"));
    m_room->setWordWrap(true);
    m_room->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(m_room);
    const QSize least = innerSizeOfOuterTwips(3000, 2265);
    setMinimumWidth(least.width());
    // Room for the longest line, past the room, in three lines at the narrowest.
    setFixedHeight(least.height() + 3 * m_room->fontMetrics().lineSpacing() + layout->spacing());
    resize(sizeHint());

    auto addPage = [this](const QString& caption, const char* prefix, bool demo,
                          std::array<QLineEdit*, 3>& boxes) {
        auto* page = new QWidget;
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(twips(60), twips(30), twips(60), twips(30));
        column->setSpacing(twips(30));
        for (int i = 0; i < 3; ++i) {
            auto* box = new QLineEdit(page);
            box->setObjectName(QLatin1String(prefix) + QString::number(i));
            box->setAccessibleName(tr("%1 tip %2").arg(caption).arg(i + 1));
            // A line break would end the tip's line in the egg, as it would the name's.
            holdToCodePage(*box, QStringLiteral("\r\n"), tr("a line break"));
            column->addWidget(box);
            connect(box, &QLineEdit::textChanged, this, [this, demo, i](const QString& text) {
                // The field refuses what the code page cannot hold; should anything slip past,
                // the tip keeps its text rather than losing it.
                const auto bytes = cp1252::fromUnicode(text);
                if (bytes)
                    m_edits.setText(tipText(demo, i), *bytes, ProjectEdits::Typing::Merge);
            });
            m_edits.endTypingOnFocusOut(box);
            boxes[size_t(i)] = box;
        }
        m_tabs->addTab(page, caption);
    };
    addPage(tr("Registered"), "rTip", false, m_regTips);
    addPage(tr("Demo"), "dTip", true, m_demoTips);

    // More pairs than boxes cannot occur in a valid project; show the three there are.
    const int pairs = std::clamp(m_state.tipCount / 2, 0, kMaxTipPairs);
    // Showing the tips changes nothing, and a long tip shows its beginning.
    auto show = [](QLineEdit* box, const std::string& tip) {
        const QSignalBlocker quiet(box);
        box->setText(cp1252::toUnicode(tip));
        box->setCursorPosition(0);
    };
    for (int i = 0; i < pairs; ++i) {
        show(m_demoTips[size_t(i)], m_state.demoTips[size_t(i)]);
        show(m_regTips[size_t(i)], m_state.regTips[size_t(i)]);
    }
    connect(&m_document, &Document::changed, this, [this](const DocumentChange& change) {
        if (change.what == DocumentChange::What::Text)
            showTip(change.text);
        showRoom();
    });
    connect(&m_document, &Document::textsMayGrowChanged, this, &TipsPanel::showRoom);
    showRoom();
}

void TipsPanel::showRoom()
{
    try {
        const TipsUse use = tipsUse(m_state);
        m_room->setText(tr("Tips: ") +
                        roomUsedText(use.used, use.room, m_document.textsMayGrow(),
                                     tr("writing the egg asks whether to grow it or cut the "
                                        "tips.")));
    } catch (const Error& e) {
        m_room->setText(e.message()); // a tip count no egg can hold; writing refuses it too
    }
}

void TipsPanel::showTip(ProjectText text)
{
    for (int i = 0; i < 3; ++i) {
        for (bool demo : {false, true}) {
            QLineEdit* box = (demo ? m_demoTips : m_regTips)[size_t(i)];
            const QString value = cp1252::toUnicode(m_edits.text(text));
            if (tipText(demo, i) != text || box->text() == value)
                continue;
            const QSignalBlocker quiet(box);
            box->setText(value);
        }
    }
}

void TipsPanel::showEvent(QShowEvent* event)
{
    // A child window's frame does not follow the fixed height by itself; its layout passes the
    // panel's least and greatest size on to it.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()); frame && frame->layout())
        frame->layout()->setSizeConstraint(QLayout::SetMinAndMaxSize);
    QWidget::showEvent(event);
}

QSize TipsPanel::sizeHint() const
{
    return QSize(std::max(twips(4695), minimumWidth()), minimumHeight());
}

} // namespace yw
