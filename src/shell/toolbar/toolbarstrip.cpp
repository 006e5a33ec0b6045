#include "shell/toolbar/toolbarstrip.h"

#include "editors/screencolor.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace yw {

namespace {

struct ButtonPlace
{
    const char* tooltip;
    int left;
    ToolbarGlyph glyph;
};

constexpr ButtonPlace kPlaces[ToolbarStrip::kButtonCount] = {
    {"New", 3, ToolbarGlyph::New},         {"Open", 24, ToolbarGlyph::Open},
    {"Save", 45, ToolbarGlyph::Save},      {"Options", 80, ToolbarGlyph::Options},
    {"Update", 101, ToolbarGlyph::Update}, {"Help", 126, ToolbarGlyph::Help},
    {"About", 147, ToolbarGlyph::About}};

constexpr int kButtonSize = 18;
constexpr int kButtonTop = 3;
constexpr int kArrowLeft = 64;
constexpr int kArrowWidth = 9;

// tbarHolder: paints the strip colour and the grip lines near its right end.
class StripHolder : public QWidget
{
public:
    StripHolder(ToolbarStrip& strip, QWidget* parent) : QWidget(parent), m_strip(strip) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        m_strip.refreshColours();
        const StripColours colours = m_strip.colours();
        QPainter painter(this);
        painter.fillRect(rect(), screenColor(colours.strip));
        const int w = width();
        const int xs[3] = {w - 7, w - 4, w - 1};
        for (int i = 0; i < 3; ++i) {
            painter.setPen(screenColor(colours.fade[i]));
            painter.drawLine(xs[i], 0, xs[i], height() - 1);
        }
    }

private:
    ToolbarStrip& m_strip;
};

// A strip control as screen readers see it: a button that says whether it is pressed and that
// their press action clicks, armed or not (the arming guards against mouse slips only).
class StripControlAccessible : public QAccessibleWidget
{
public:
    explicit StripControlAccessible(StripControl* control)
        : QAccessibleWidget(control, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("clicked()"));
    }
    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList{pressAction()} : QStringList();
    }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && widget()->isEnabled())
            static_cast<StripControl*>(widget())->press();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = static_cast<StripControl*>(widget())->isPressed();
        return s;
    }
};

QAccessibleInterface* stripControlAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("yw::StripControl") && object && object->isWidgetType())
        return new StripControlAccessible(static_cast<StripControl*>(object));
    return nullptr;
}

} // namespace

void StripControl::press()
{
    if (isEnabled())
        emit clicked();
}

StripControl::StripControl(ToolbarStrip& strip, ToolbarGlyph glyph, QWidget* parent)
    : QWidget(parent), m_strip(strip), m_glyph(glyph)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(stripControlAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

void StripControl::click()
{
    if (!isEnabled() || !m_strip.buttonArmed())
        return;
    emit clicked();
}

void StripControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(m_pressed ? QPalette::Light : QPalette::Button));
    paintToolbarIcon(painter, m_glyph, QRectF(rect()), isEnabled());
}

void StripControl::mousePressEvent(QMouseEvent* event)
{
    m_strip.setButtonArmed(false);
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
    }
}

void StripControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = false;
    m_strip.setButtonArmed(true);
    update();
    // A click is a left press and release on the same control.
    if (rect().contains(event->position().toPoint()))
        click();
}

void StripControl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        m_pressed = false;
        update();
    }
    QWidget::changeEvent(event);
}

ToolbarStrip::ToolbarStrip(QWidget* parent)
    : QWidget(parent), m_holder(new StripHolder(*this, this))
{
    setObjectName(QStringLiteral("TBarUltimateHolder"));
    m_holder->setObjectName(QStringLiteral("tbarHolder"));
    setFixedHeight(kStripHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // Its right-click menu holds the actions the main window adds to it.
    setContextMenuPolicy(Qt::ActionsContextMenu);

    for (int i = 0; i < kButtonCount; ++i) {
        auto* control = new StripControl(*this, kPlaces[i].glyph, m_holder);
        control->setObjectName(QStringLiteral("tBarButton%1").arg(i));
        control->setToolTip(QString::fromLatin1(kPlaces[i].tooltip));
        control->setAccessibleName(control->toolTip());
        control->setGeometry(kPlaces[i].left, kButtonTop, kButtonSize, kButtonSize);
        connect(control, &StripControl::clicked, this, [this, i] { emit buttonClicked(i); });
        m_buttons[size_t(i)] = control;
    }
    m_arrow = new StripControl(*this, ToolbarGlyph::SaveArrow, m_holder);
    m_arrow->setObjectName(QStringLiteral("SaveMenu"));
    m_arrow->setAccessibleName(QStringLiteral("Save menu"));
    m_arrow->setGeometry(kArrowLeft, kButtonTop, kArrowWidth, kButtonSize);
    connect(m_arrow, &StripControl::clicked, this, &ToolbarStrip::popUpSaveMenu);

    layoutHolder();
    setProjectOpen(false);
}

StripControl* ToolbarStrip::button(int index) const
{
    if (index < 0 || index >= kButtonCount)
        return nullptr;
    return m_buttons[size_t(index)];
}

void ToolbarStrip::setProjectOpen(bool open)
{
    m_buttons[Save]->setEnabled(open);
    m_arrow->setEnabled(open);
}

QPoint ToolbarStrip::saveMenuPosition() const
{
    return m_arrow->mapToGlobal(QPoint(0, m_arrow->height()));
}

void ToolbarStrip::refreshColours()
{
    if (const auto fresh = m_cache.update(colorValueOf(palette().color(QPalette::Button))))
        m_colours = *fresh;
}

void ToolbarStrip::layoutHolder()
{
    // The right edge of the last button plus 15 pixels: 147 + 18 + 15 = 180.
    const StripControl* last = m_buttons[kButtonCount - 1];
    m_holder->setGeometry(0, 0, last->x() + last->width() + 15, kStripHeight);
}

void ToolbarStrip::popUpSaveMenu()
{
    if (m_saveMenu)
        m_saveMenu->popup(saveMenuPosition());
}

} // namespace yw
