#pragma once

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

namespace yw {

// Prompts as message boxes titled "Yolkwright", owned by `parent` when there is one.
class GuiPrompts : public Prompts
{
public:
    explicit GuiPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void message(const QString& text, PromptIcon icon) override;
    PromptAnswer question(const QString& text, PromptButtons buttons, PromptIcon icon) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace yw
