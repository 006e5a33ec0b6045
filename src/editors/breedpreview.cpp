#include "editors/breedpreview.h"

#include "document/document.h"
#include "editors/sheetpainter.h"
#include "model/projectstate.h"
#include "platform/cp1252.h"

#include <QAbstractButton>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace yw {

namespace {

// A disc's place on the preview: the parent paints every disc at once (one pass is what keeps a
// repaint of both sets fast); the button only takes clicks, keys and the focus mark.
class PreviewDisc : public QAbstractButton
{
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!hasFocus())
            return;
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
        painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    bool hitButton(const QPoint& pos) const override
    {
        const QPointF offset = QPointF(pos) - QRectF(rect()).center();
        return std::hypot(offset.x(), offset.y()) <= width() / 2.0;
    }
};

} // namespace

BreedPreview::BreedPreview(Document& document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("frmPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
    connect(&m_document, &Document::changed, this, [this](const DocumentChange& change) {
        switch (change.what) {
        case DocumentChange::What::Ball:
            if (change.record < 2 * m_document.ballsPerSet())
                relayout();
            break;
        case DocumentChange::What::Text:
            if (change.text == ProjectText::BreedName)
                showTitle();
            break;
        case DocumentChange::What::Project:
            reload();
            break;
        }
    });
    reload();
}

void BreedPreview::reload()
{
    const ProjectState& state = m_document.state();
    showTitle();
    const BreedShape& shape = m_document.shape();
    m_problem =
        shape.ballsPerSet() > 0 ? QString() : tr("The preview needs the eBalls of the base breed.");
    m_sheet = breedSheet(state, shape, SheetKind::Preview);

    for (QAbstractButton* disc : m_discs)
        delete disc;
    m_discs.clear();
    for (const SheetSwatch& swatch : m_sheet.swatches) {
        auto* disc = new PreviewDisc(this);
        disc->setObjectName(QStringLiteral("disc%1").arg(swatch.record));
        disc->setFocusPolicy(Qt::TabFocus);
        disc->setCursor(Qt::PointingHandCursor);
        disc->setText(swatch.label.text);
        disc->setToolTip(swatch.label.text);
        disc->setAccessibleName(swatch.label.text);
        const int record = swatch.record;
        connect(disc, &QAbstractButton::clicked, this,
                [this, record] { emit ballClicked(record); });
        disc->show();
        m_discs.push_back(disc);
    }
    placeDiscs();
    update();
}

void BreedPreview::showTitle()
{
    // A grid of discs, not the creature's shape.
    setWindowTitle(tr("Preview - %1 (each eBall as a disc)")
                       .arg(cp1252::toUnicode(m_document.state().breedName)));
}

void BreedPreview::relayout()
{
    m_sheet = breedSheet(m_document.state(), m_document.shape(), SheetKind::Preview);
    update();
}

QAbstractButton* BreedPreview::disc(int record) const
{
    for (QAbstractButton* disc : m_discs)
        if (disc->objectName() == QStringLiteral("disc%1").arg(record))
            return disc;
    return nullptr;
}

QSize BreedPreview::sizeHint() const
{
    // Two thirds of the sheet's size: every disc still large enough to see and to click.
    return QSize(int(m_sheet.width * 2 / 3), int(m_sheet.height * 2 / 3)).expandedTo(minimumSize());
}

void BreedPreview::placeDiscs()
{
    // The whole picture fits the window, centred across it.
    const double scale = m_sheet.width > 0 && m_sheet.height > 0
                             ? std::min(width() / m_sheet.width, height() / m_sheet.height)
                             : 1.0;
    m_toWidget = QTransform::fromTranslate((width() - m_sheet.width * scale) / 2, 0);
    m_toWidget.scale(scale, scale);
    for (size_t i = 0; i < m_discs.size() && i < m_sheet.swatches.size(); ++i) {
        const SheetSwatch& s = m_sheet.swatches[i];
        const QRectF cell(s.cx - s.cellRadius, s.cy - s.cellRadius, 2 * s.cellRadius,
                          2 * s.cellRadius);
        m_discs[i]->setGeometry(m_toWidget.mapRect(cell).toRect());
    }
}

void BreedPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeDiscs();
}

void BreedPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_problem.isEmpty()) {
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::TextWordWrap, m_problem);
        return;
    }
    painter.setTransform(m_toWidget);
    paintBreedSheet(painter, m_sheet, true);
}

} // namespace yw
