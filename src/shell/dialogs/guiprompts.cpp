#include "shell/dialogs/guiprompts.h"

#include <QMessageBox>
#include <QPushButton>

namespace yw {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void GuiPrompts::message(const QString& text, PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), kProgramTitle, text, QMessageBox::Ok, m_parent);
    box.exec();
}

PromptAnswer GuiPrompts::question(const QString& text, PromptButtons buttons, PromptIcon icon)
{
    if (buttons == PromptButtons::ImportWithoutThem) {
        QMessageBox box(boxIcon(icon), kProgramTitle, text, QMessageBox::Cancel, m_parent);
        const QAbstractButton* accept =
            box.addButton(QStringLiteral("Import Without Them"), QMessageBox::AcceptRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == accept ? PromptAnswer::Yes : PromptAnswer::Cancel;
    }
    QMessageBox::StandardButtons choices = QMessageBox::Yes | QMessageBox::No;
    if (buttons == PromptButtons::YesNoCancel)
        choices |= QMessageBox::Cancel;
    QMessageBox box(boxIcon(icon), kProgramTitle, text, choices, m_parent);
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box with Escape or its close button is the gentlest answer it offers.
    box.setEscapeButton(buttons == PromptButtons::YesNoCancel ? QMessageBox::Cancel
                                                              : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return buttons == PromptButtons::YesNoCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }
}

} // namespace yw
