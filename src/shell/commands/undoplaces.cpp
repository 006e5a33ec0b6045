#include "shell/commands/undoplaces.h"

#include "document/document.h"

#include <QAction>
#include <QStatusBar>
#include <QUndoStack>

namespace yw {

namespace {

constexpr int kNoteMs = 10000;

} // namespace

UndoPlaces::UndoPlaces(Document& document, QAction& undo, QAction& redo, QStatusBar& bar,
                       Places places)
    : QObject(&bar), m_document(document), m_bar(bar), m_places(std::move(places))
{
    // A step announces what it changes while it is taken, then the history moves its index:
    // so what was announced before the index moved is the step's.
    connect(&document, &Document::changed, this, &UndoPlaces::touched);
    connect(&document.history(), &QUndoStack::indexChanged, this,
            [this] { m_last = std::exchange(m_touching, Touched()); });
    connect(&undo, &QAction::triggered, this, [this] { show(true); });
    connect(&redo, &QAction::triggered, this, [this] { show(false); });
}

void UndoPlaces::touched(const DocumentChange& change)
{
    switch (change.what) {
    case DocumentChange::What::Ball:
        m_touching.records.push_back(change.record);
        break;
    case DocumentChange::What::Text:
        m_touching.text = change.text;
        break;
    case DocumentChange::What::Project:
        m_touching = m_last = Touched();
        break;
    }
}

void UndoPlaces::show(bool undone)
{
    const QUndoStack& history = m_document.history();
    const QString step = history.text(undone ? history.index() : history.index() - 1);
    const Touched touched = std::exchange(m_last, Touched());
    QString what = step;
    if (!touched.records.empty()) {
        const QString label =
            m_places.showBall ? m_places.showBall(touched.records.front()) : QString();
        if (touched.records.size() > 1)
            what = tr("%1 of %2 eBalls").arg(step).arg(touched.records.size());
        else if (!label.isEmpty())
            what = tr("%1 of %2").arg(step, label);
    } else if (touched.text) {
        const QString panel = m_places.showText ? m_places.showText(*touched.text) : QString();
        if (!panel.isEmpty())
            what = tr("%1 in %2").arg(step, panel);
    } else {
        return; // nothing was taken
    }
    m_bar.showMessage((undone ? tr("Undid %1") : tr("Redid %1")).arg(what), kNoteMs);
}

} // namespace yw
