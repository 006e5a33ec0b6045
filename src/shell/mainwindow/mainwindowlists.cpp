// The component list and the eBall list of the main window's left panel.
#include "editors/projectedits.h"
#include "files/breedresources.h"
#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "shell/mainwindow/editorwindows.h"
#include "shell/mainwindow/mainwindow.h"

#include <QComboBox>
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

QString helpText(int component)
{
    switch (component) {
    case 0:
        return QStringLiteral(
            "This is the breed name for your work. It can be modified in the Slot/Tray Panel.");
    case 1:
        return QStringLiteral("This contains all the visual data for this breed. They can be "
                              "edited by selecting the LNZ file, then the eBall in the panel "
                              "above.");
    case 2:
        return QStringLiteral("This is the definition file for the baby. Colors set here are "
                              "ignored by Oddballz (it uses adult colors instead.)");
    case 3:
        return QStringLiteral("This is the definition file for the adult. Both the adult and baby "
                              "forms take their colors from the adult file.");
    case 4:
        return QStringLiteral("This contains all the text and images for this breed. You can "
                              "edit them by selecting what you want to work with in the menu "
                              "above.");
    case 5:
        return QStringLiteral("The Slot/Tray panel lets you choose where the egg appears "
                              "in-game, as well as the name of the breed and its information.");
    case 6:
        return QStringLiteral("On-screen tips are displayed at the bottom of the playpen, and "
                              "differ between registered and demo Oddballz versions.");
    default:
        return QStringLiteral("No information is available for this topic.");
    }
}

} // namespace

void MainWindow::componentChosen(int index)
{
    lnzSet = 0;
    eblistHoldsBalls = false;
    {
        const QSignalBlocker quiet(eblist);
        eblist->clear();
    }
    ttex->setText(helpText(index));
    switch (index) {
    case 2:
        eblistHoldsBalls = true;
        epopulate(eblist);
        break;
    case 3:
        lnzSet = 1;
        eblistHoldsBalls = true;
        epopulate(eblist);
        break;
    case 5:
        if (m_editors)
            m_editors->showSlotTray();
        break;
    case 6:
        if (m_editors)
            m_editors->showTips();
        break;
    default:
        break;
    }
}

void MainWindow::epopulate(QListWidget* list)
{
    // Read everything first, so a bad file never leaves the list half-filled.
    const QString path = m_install.infoFilePath(m_state.baseBreed);
    int ballsPerSet = 0;
    std::vector<std::string> labels;
    try {
        ballsPerSet = readBreedHeader(path).ballsPerSet;
        labels = readBreedLabels(path);
    } catch (const Error& e) {
        list->clear();
        m_prompts.message(QStringLiteral("Yolkwright cannot read the eBalls of this breed.\r\n") +
                              e.message(),
                          PromptIcon::Exclamation);
        return;
    }

    // A label past the set's last eBall would address a record of the other set or the
    // editor's parking record, so only the set's own eBalls are listed.
    const int firstRecord = list == eblist ? lnzSet * ballsPerSet : 0;
    const size_t count = size_t(
        std::clamp(std::min(ballsPerSet, kParkingRecord - firstRecord), 0, int(labels.size())));
    QStringList items;
    items.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i)
        items.append(cp1252::toUnicode(labels[i]));

    m_fillingList = true;
    list->clear();
    list->addItems(items);
    m_fillingList = false;

    // A label wider than the list shows whole as its tooltip.
    const int room = list->width() - 2 * list->frameWidth() -
                     list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - kItemPadding;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (list->fontMetrics().horizontalAdvance(item->text()) > room)
            item->setToolTip(item->text());
    }
}

void MainWindow::openSelectedBall()
{
    const QList<QListWidgetItem*> selected = eblist->selectedItems();
    if (selected.isEmpty() || selected.first()->text().trimmed().isEmpty())
        return;
    if (!eblistHoldsBalls)
        return;
    const int position = eblist->row(selected.first());

    // Set B starts where the project's eBall table puts it: right after set A.
    int ballsPerSet = 0;
    try {
        ballsPerSet = readBreedHeader(m_install, m_state).ballsPerSet;
    } catch (const Error& e) {
        m_prompts.message(QStringLiteral("Yolkwright cannot read the eBalls of this breed.\r\n") +
                              e.message(),
                          PromptIcon::Exclamation);
        return;
    }
    const int newIndex = lnzSet * ballsPerSet + position;
    if (position >= ballsPerSet || newIndex >= kParkingRecord || !m_editors)
        return;
    m_editors->switchBall(newIndex, compnt->currentText().trimmed());
    if (m_keepListFocus)
        eblist->setFocus(Qt::OtherFocusReason);
}

QString MainWindow::showBall(int record)
{
    int ballsPerSet = 0;
    try {
        ballsPerSet = readBreedHeader(m_install, m_state).ballsPerSet;
    } catch (const Error&) {
        return QString(); // the list says why when it is filled
    }
    if (record < 0 || record >= 2 * ballsPerSet || !compnt->isEnabled())
        return QString();
    const int component = record < ballsPerSet ? 2 : 3;
    if (compnt->currentIndex() != component || !eblistHoldsBalls)
        compnt->setCurrentIndex(component);
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
    const bool tips = text >= ProjectText::RegTip1;
    const int component = tips ? 6 : 5;
    if (compnt->currentIndex() != component)
        compnt->setCurrentIndex(component);
    else
        componentChosen(component);
    // The tab that holds the text comes to the front too.
    const int tab = text >= ProjectText::DemoTip1 || text == ProjectText::Attributes ? 1 : 0;
    const QMdiSubWindow* panel = mdiArea->activeSubWindow();
    if (auto* tabs = panel ? panel->findChild<QTabWidget*>(tips ? QStringLiteral("tiptabs")
                                                                : QStringLiteral("textabs"))
                           : nullptr;
        tabs && text >= ProjectText::Description)
        tabs->setCurrentIndex(tab);
    return tips ? QStringLiteral("Tips") : QStringLiteral("Slot/Tray");
}

} // namespace yw
