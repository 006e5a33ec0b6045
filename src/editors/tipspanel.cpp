#include "editors/tipspanel.h"

#include "editors/codepagefields.h"
#include "editors/twips.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"

#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace yw {

TipsPanel::TipsPanel(ProjectState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmTips"));
    setWindowTitle(tr("Tips"));
    const QSize least = innerSizeOfOuterTwips(3000, 2265);
    setMinimumWidth(least.width());
    setFixedHeight(least.height());
    resize(sizeHint());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips(60), twips(60), twips(60), twips(60));
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tiptabs"));
    layout->addWidget(m_tabs);

    auto addPage = [this](const QString& caption, const char* prefix,
                          std::array<std::string, kMaxTipPairs>& tips,
                          std::array<QLineEdit*, 3>& boxes) {
        auto* page = new QWidget;
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(twips(60), twips(30), twips(60), twips(30));
        column->setSpacing(twips(30));
        for (int i = 0; i < 3; ++i) {
            auto* box = new QLineEdit(page);
            box->setObjectName(QLatin1String(prefix) + QString::number(i));
            holdToCodePage(*box);
            column->addWidget(box);
            connect(box, &QLineEdit::textChanged, this, [&tips, i](const QString& text) {
                // The field refuses what the code page cannot hold; should anything slip past,
                // the tip keeps its text rather than losing it.
                if (const auto bytes = cp1252::fromUnicode(text))
                    tips[size_t(i)] = *bytes;
            });
            boxes[size_t(i)] = box;
        }
        m_tabs->addTab(page, caption);
    };
    addPage(tr("Registered"), "rTip", m_state.regTips, m_regTips);
    addPage(tr("Demo"), "dTip", m_state.demoTips, m_demoTips);

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
