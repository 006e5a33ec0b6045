#include "shell/mainwindow/lazyiconstyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace yw {

namespace {

// Asks the style for the real icon when the icon is first drawn.
class LazyStandardIconEngine : public QIconEngine
{
public:
    LazyStandardIconEngine(QStyle* style, QStyle::StandardPixmap which)
        : m_style(style), m_which(which)
    {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        real().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return real().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return real().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return real().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LazyStandardIconEngine(*this); }

private:
    const QIcon& real()
    {
        if (m_real.isNull() && m_style)
            m_real = m_style->standardIcon(m_which);
        return m_real;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_real;
};

} // namespace

LazyIconStyle::LazyIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon LazyIconStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                  const QWidget* widget) const
{
    if (which == SP_ToolBarHorizontalExtensionButton)
        return QIcon(new LazyStandardIconEngine(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace yw
