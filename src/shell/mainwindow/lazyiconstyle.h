#pragma once

#include <QProxyStyle>

namespace yw {

// The application's style with the menu bar's overflow icon loaded when it is first drawn.
// Loading it at once probed every image format plugin, a tenth of the editor's start-up, for a
// button that a menu bar this short never shows.
class LazyIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Takes `base` over, as QProxyStyle does.
    explicit LazyIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace yw
