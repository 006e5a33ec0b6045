#pragma once

#include <QString>

namespace yw {

enum class PromptIcon { None, Information, Exclamation, Critical, Question };
// ImportWithoutThem: "Import Without Them" (answered Yes) and Cancel, Cancel the default.
// GrowTheEgg: "Grow the Egg" (Yes) and Cancel; GrowOrCutTips: "Grow the Egg" (Yes), "Cut the
// Tips" (No) and Cancel; Cancel the default of both.
enum class PromptButtons { YesNo, YesNoCancel, ImportWithoutThem, GrowTheEgg, GrowOrCutTips };
enum class PromptAnswer { Yes, No, Cancel };

inline const QString kProgramTitle = QStringLiteral("Yolkwright");

// Every message and question that the core shows goes through here: the GUI shows message
// boxes, the CLI prints and answers by its own policy, tests script the answers.
class Prompts
{
public:
    virtual ~Prompts() = default;
    // A message with an OK button.
    virtual void message(const QString& text, PromptIcon icon) = 0;
    virtual PromptAnswer question(const QString& text, PromptButtons buttons, PromptIcon icon) = 0;
};

// Shows nothing and answers No: for work that has no one to ask, such as a survey's round trip
// or a benchmark.
class NoPrompts : public Prompts
{
public:
    void message(const QString&, PromptIcon) override {}
    PromptAnswer question(const QString&, PromptButtons, PromptIcon) override
    {
        return PromptAnswer::No;
    }
};

} // namespace yw
