#include "shell/dialogs/previewwindow.h"

#include "editors/breedpreview.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace yw {

BreedPreview* openPreview(const QMdiArea& area)
{
    for (QMdiSubWindow* window : area.subWindowList())
        if (auto* preview = qobject_cast<BreedPreview*>(window->widget()))
            return preview;
    return nullptr;
}

QMdiSubWindow* showPreview(QMdiArea& area, Document& document,
                           const std::function<void(int record)>& openBall)
{
    QMdiSubWindow* window = nullptr;
    if (BreedPreview* preview = openPreview(area)) {
        window = qobject_cast<QMdiSubWindow*>(preview->parentWidget());
    } else {
        auto* fresh = new BreedPreview(document);
        QObject::connect(fresh, &BreedPreview::ballClicked, fresh, openBall);
        const QSize wanted = fresh->sizeHint();
        window = area.addSubWindow(fresh);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        // As large as it asks, frame added, within the area.
        window->resize(
            (window->size() - fresh->size() + wanted).boundedTo(area.viewport()->size()));
    }
    if (window->isMinimized())
        window->showNormal();
    area.setActiveSubWindow(window);
    return window;
}

} // namespace yw
