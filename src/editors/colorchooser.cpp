#include "editors/colorchooser.h"

#include "editors/screencolor.h"
#include "editors/twips.h"
#include "model/palette.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <functional>

namespace yw {

namespace {

constexpr int kCell = 10;
constexpr int kPictureSide = 16 * kCell;
constexpr int kBorder = 2;

} // namespace

// The 160 by 160 palette picture inside a sunken border; positions are reported relative to the
// picture, not to the border.
class PalettePicture : public QFrame
{
public:
    explicit PalettePicture(QWidget* parent) : QFrame(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(kBorder);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);

        m_image = QImage(kPictureSide, kPictureSide, QImage::Format_RGB32);
        QPainter painter(&m_image);
        for (int index = 0; index < kPaletteSize; ++index)
            painter.fillRect((index % 16) * kCell, (index / 16) * kCell, kCell, kCell,
                             screenColor(paletteColor(index)));
    }

    // Called with the cell index under the pointer, or -1 outside the square.
    std::function<void(int)> hovered;
    std::function<void(int)> released;

    QPoint origin() const { return contentsRect().topLeft(); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.drawImage(origin(), m_image);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const int index = indexAt(event->position());
        if (index >= 0 && hovered)
            hovered(index);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        const int index = indexAt(event->position());
        if (index >= 0 && released)
            released(index);
    }

private:
    int indexAt(QPointF position) const
    {
        const QPoint inside = position.toPoint() - origin();
        if (inside.x() < 0 || inside.y() < 0 || inside.x() >= kPictureSide ||
            inside.y() >= kPictureSide)
            return -1;
        return inside.x() / kCell + 16 * (inside.y() / kCell);
    }

    QImage m_image;
};

// The marker around the current colour's cell: a frame in the highlight colour.
class Highlight : public QWidget
{
public:
    explicit Highlight(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(12, 12);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        // The highlight frame shows on light cells, the white line inside it on dark ones.
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
};

// The no-colour box: a black diagonal cross on the window colour, or on the highlight colour
// while no colour is the current choice.
class NoColorBox : public QFrame
{
public:
    explicit NoColorBox(QWidget* parent) : QFrame(parent)
    {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(kBorder);
        setMouseTracking(true);
    }

    std::function<void()> hovered;
    std::function<void()> released;
    bool highlighted = false;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect inner = contentsRect();
        painter.fillRect(inner,
                         palette().color(highlighted ? QPalette::Highlight : QPalette::Base));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(inner.topLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomLeft());
    }

    void mouseMoveEvent(QMouseEvent*) override
    {
        if (hovered)
            hovered();
    }

    void mouseReleaseEvent(QMouseEvent*) override
    {
        if (released)
            released();
    }
};

// The "(No Color)" caption picks no colour as its box does.
class NoColorLabel : public QLabel
{
public:
    using QLabel::QLabel;
    std::function<void()> released;

protected:
    void mouseReleaseEvent(QMouseEvent*) override
    {
        if (released)
            released();
    }
};

ColorChooser::ColorChooser(int current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("dlgColor"));
    setWindowTitle(tr("Choose A Color..."));
    setFixedSize(twips(2550), twips(2835));

    m_picture = new PalettePicture(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setGeometry(twips(60), twips(60), kPictureSide + 2 * kBorder,
                           kPictureSide + 2 * kBorder);
    m_picture->hovered = [this](int index) { setWindowTitle(indexCaption(index)); };
    m_picture->released = [this](int index) { choose(index); };

    m_highlight = new Highlight(m_picture);
    m_highlight->setObjectName(QStringLiteral("highlight"));
    m_highlight->move(m_picture->origin() + QPoint(-1, -1));

    m_trans = new NoColorBox(this);
    m_trans->setObjectName(QStringLiteral("trans"));
    m_trans->setGeometry(twips(60), twips(2580), kCell + 2 * kBorder, kCell + 2 * kBorder);
    m_trans->hovered = [this] { setWindowTitle(tr("No Color (-1)")); };
    m_trans->released = [this] { choose(-1); };

    auto* label = new NoColorLabel(tr("(No Color)"), this);
    label->released = [this] { choose(-1); };
    label->setCursor(Qt::PointingHandCursor);
    m_label = label;
    m_label->setObjectName(QStringLiteral("Label1"));
    // As wide and high as its text needs, level with the no-colour box.
    const QSize text = m_label->sizeHint().expandedTo(QSize(twips(840), twips(195)));
    m_label->setGeometry(twips(360), m_trans->geometry().center().y() - text.height() / 2,
                         text.width(), text.height());

    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_cancel->setGeometry(twipsRect(1800, 2565, 735, 255));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    markCurrent(current);
}

std::optional<int> ColorChooser::pick(int current, QWidget* parent, const QWidget* swatch)
{
    ColorChooser chooser(current, parent);
    if (swatch) {
        // Beside the swatch it changes, inside the screen.
        QRect frame(swatch->mapToGlobal(QPoint(swatch->width() + 4, 0)), chooser.size());
        if (const QScreen* screen = swatch->screen()) {
            const QRect area = screen->availableGeometry();
            if (frame.right() > area.right())
                frame.moveRight(swatch->mapToGlobal(QPoint(-4, 0)).x());
            frame.moveTop(std::clamp(frame.top(), area.top(),
                                     std::max(area.top(), area.bottom() - frame.height())));
        }
        chooser.move(frame.topLeft());
    }
    chooser.exec();
    return chooser.picked();
}

QString ColorChooser::indexCaption(int index)
{
    return QStringLiteral("%1 (Hex: %2)").arg(index).arg(QString::number(index, 16).toUpper());
}

void ColorChooser::markCurrent(int current)
{
    if (current < 0) {
        setWindowTitle(tr("No Color (-1)"));
        m_trans->highlighted = true;
        m_highlight->hide();
    } else {
        setWindowTitle(indexCaption(current));
        m_trans->highlighted = false;
        m_highlight->move(m_picture->origin() +
                          QPoint(kCell * (current % 16) - 1, kCell * (current / 16) - 1));
        m_highlight->show();
    }
    m_trans->update();
}

void ColorChooser::choose(int index)
{
    m_picked = index;
    accept();
}

} // namespace yw
