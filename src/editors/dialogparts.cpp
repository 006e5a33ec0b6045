#include "editors/dialogparts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace yw {

QPushButton* addToolFooter(QDialog& dialog, QBoxLayout& column, const QString& okCaption,
                           const std::function<void()>& apply)
{
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(okCaption, QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, apply);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column.addWidget(buttons);
    return ok;
}

QRect centredOnScreen(const QSize& size)
{
    QRect frame(QPoint(), size);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    return frame;
}

QFont installedOrApplicationFont(const QString& family)
{
    if (QFontDatabase::families().contains(family, Qt::CaseInsensitive))
        return QFont(family);
    return QGuiApplication::font();
}

} // namespace yw
