#include "editors/numberbar.h"

#include <QAccessibleWidget>
#include <QKeyEvent>

namespace yw {

namespace {

// Screen readers hear and set the number itself, not the negated value the bar holds.
class NumberBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit NumberBarAccessible(NumberBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar)
    {
        addControllingSignal(QStringLiteral("numberChanged(int)"));
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return QString::number(bar()->number());
        return QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return bar()->number(); }
    void setCurrentValue(const QVariant& value) override { bar()->setNumber(value.toInt()); }
    QVariant maximumValue() const override { return bar()->mostNumber(); }
    QVariant minimumValue() const override { return bar()->leastNumber(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    NumberBar* bar() const { return static_cast<NumberBar*>(widget()); }
};

QAccessibleInterface* numberBarAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("yw::NumberBar") && object && object->isWidgetType())
        return new NumberBarAccessible(static_cast<NumberBar*>(object));
    return nullptr;
}

} // namespace

NumberBar::NumberBar(int least, int most, QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(numberBarAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setRange(-most, -least);
    setValue(-least);
    connect(this, &QScrollBar::valueChanged, this,
            [this](int value) { emit numberChanged(-value); });
}

void NumberBar::stepWithArrowKeysIn(QWidget* box)
{
    box->installEventFilter(this);
}

bool NumberBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isEnabled())
        return QScrollBar::eventFilter(watched, event);
    // The bar holds the negated number: its "sub" actions raise the number.
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
        triggerAction(SliderSingleStepSub);
        return true;
    case Qt::Key_Down:
        triggerAction(SliderSingleStepAdd);
        return true;
    case Qt::Key_PageUp:
        triggerAction(SliderPageStepSub);
        return true;
    case Qt::Key_PageDown:
        triggerAction(SliderPageStepAdd);
        return true;
    default:
        return QScrollBar::eventFilter(watched, event);
    }
}

} // namespace yw
