#pragma once

#include <functional>

class QMdiArea;
class QMdiSubWindow;

namespace yw {

class BreedPreview;
class Document;

// Window > Preview: the breed's live preview as a child window of `area`, made when first asked
// for and brought to the front when it is open already. `openBall` runs with the record of a
// disc the user chose.
QMdiSubWindow* showPreview(QMdiArea& area, Document& document,
                           const std::function<void(int record)>& openBall);

// The open preview, if any.
BreedPreview* openPreview(const QMdiArea& area);

} // namespace yw
