// The eBall list of the main window's left panel, and what choosing a component does.
#include "document/document.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/prompts.h"
#include "shell/mainwindow/editorwindows.h"
#include "shell/mainwindow/mainwindow.h"

#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>

namespace yw {

namespace {

// The item's own margins inside the list.
constexpr int kItemPadding = 8;

} // namespace

void MainWindow::componentChosen(Component component)
{
    lnzSet = 0;
    m_listHoldsBalls = false;
    {
        const QSignalBlocker quiet(eblist);
        eblist->clear();
    }
    ttex->setText(componentHelp(component));
    switch (component) {
    case Component::BabySet:
    case Component::AdultSet:
        lnzSet = component == Component::AdultSet ? 1 : 0;
        m_listHoldsBalls = true;
        epopulate();
        break;
    case Component::SlotTray:
        if (m_editors)
            m_editors->showSlotTray();
        break;
    case Component::Tips:
        if (m_editors)
            m_editors->showTips();
        break;
    default:
        break;
    }
}

void MainWindow::epopulate()
{
    const BreedShape& shape = m_document->shape();
    if (shape.ballsPerSet() == 0) {
        eblist->clear();
        return;
    }
    const int ballsPerSet = shape.header.ballsPerSet;
    // A label past the set's last eBall would address a record of the other set or the
    // editor's parking record, so only the set's own eBalls are listed.
    const int firstRecord = lnzSet * ballsPerSet;
    const size_t count = size_t(std::clamp(std::min(ballsPerSet, kParkingRecord - firstRecord), 0,
                                           int(shape.labels.size())));
    QStringList items;
    items.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i)
        items.append(cp1252::toUnicode(shape.labels[i]));

    m_fillingList = true;
    eblist->clear();
    eblist->addItems(items);
    m_fillingList = false;

    // A label wider than the list shows whole as its tooltip.
    const int room = eblist->width() - 2 * eblist->frameWidth() -
                     eblist->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - kItemPadding;
    for (int row = 0; row < eblist->count(); ++row) {
        QListWidgetItem* item = eblist->item(row);
        if (eblist->fontMetrics().horizontalAdvance(item->text()) > room)
            item->setToolTip(item->text());
    }
}

void MainWindow::openSelectedBall()
{
    const QList<QListWidgetItem*> selected = eblist->selectedItems();
    if (selected.isEmpty() || selected.first()->text().trimmed().isEmpty())
        return;
    if (!m_listHoldsBalls)
        return;
    const int position = eblist->row(selected.first());
    // Set B starts where the project's eBall table puts it: right after set A.
    const int ballsPerSet = m_document->ballsPerSet();
    const int newIndex = lnzSet * ballsPerSet + position;
    if (position >= ballsPerSet || newIndex >= kParkingRecord || !m_editors)
        return;
    m_editors->switchBall(newIndex, compnt->currentText().trimmed());
    if (m_keepListFocus)
        eblist->setFocus(Qt::OtherFocusReason);
}

QString MainWindow::showBall(int record)
{
    const int ballsPerSet = m_document->ballsPerSet();
    if (record < 0 || record >= 2 * ballsPerSet || !compnt->isEnabled())
        return QString();
    const Component set = record < ballsPerSet ? Component::BabySet : Component::AdultSet;
    if (compnt->currentIndex() != int(set) || !m_listHoldsBalls)
        compnt->setCurrentIndex(int(set));
    const int row = record % ballsPerSet;
    if (row >= eblist->count())
        return QString();
    // Choosing the row opens its eBall; the row already chosen is opened again.
    if (eblist->currentRow() == row && eblist->currentItem()->isSelected())
        openSelectedBall();
    else
        eblist->setCurrentRow(row);
    return eblist->item(row)->text().trimmed();
}

QString MainWindow::showTextPanel(ProjectText text)
{
    const ProjectTextRow& row = textRow(text);
    const bool tips = row.tipNumber != 0;
    const Component panelOf = tips ? Component::Tips : Component::SlotTray;
    if (compnt->currentIndex() != int(panelOf))
        compnt->setCurrentIndex(int(panelOf));
    else
        componentChosen(panelOf);
    // The tab that holds the text comes to the front too.
    // Below the slot and tray: the description's tab and the attributes'; the tips' two tabs.
    const bool tabbed = tips || text == ProjectText::Description || text == ProjectText::Attributes;
    const int tab = row.demoTip || text == ProjectText::Attributes ? 1 : 0;
    const QMdiSubWindow* panel = mdiArea->activeSubWindow();
    if (auto* tabs = panel ? panel->findChild<QTabWidget*>(tips ? QStringLiteral("tiptabs")
                                                                : QStringLiteral("textabs"))
                           : nullptr;
        tabs && tabbed)
        tabs->setCurrentIndex(tab);
    return tips ? QStringLiteral("Tips") : QStringLiteral("Slot/Tray");
}

} // namespace yw
