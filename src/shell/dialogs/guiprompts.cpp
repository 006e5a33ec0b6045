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

// A question with buttons of its own words and Cancel, the default: "yes" answers Yes, "no" No.
PromptAnswer namedButtons(QMessageBox& box, const QString& yes, const QString& no)
{
    const QAbstractButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    const QAbstractButton* other = no.isEmpty() ? nullptr : box.addButton(no, QMessageBox::NoRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == accept  ? PromptAnswer::Yes
           : box.clickedButton() == other ? PromptAnswer::No
                                          : PromptAnswer::Cancel;
}

} // namespace

void GuiPrompts::message(const QString& text, PromptIcon icon)
{
    QMessageBox box(boxIcon(icon), kProgramTitle, text, QMessageBox::Ok, m_parent);
    box.exec();
}

PromptAnswer GuiPrompts::question(const QString& text, PromptButtons buttons, PromptIcon icon)
{
    if (buttons == PromptButtons::ImportWithoutThem || buttons == PromptButtons::GrowTheEgg ||
        buttons == PromptButtons::GrowOrCutTips) {
        QMessageBox box(boxIcon(icon), kProgramTitle, text, QMessageBox::NoButton, m_parent);
        if (buttons == PromptButtons::ImportWithoutThem)
            return namedButtons(box, QStringLiteral("Import Without Them"), QString());
        return namedButtons(box, QStringLiteral("Grow the Egg"),
                            buttons == PromptButtons::GrowOrCutTips ? QStringLiteral("Cut the Tips")
                                                                    : QString());
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
