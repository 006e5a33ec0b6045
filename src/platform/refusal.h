#pragma once

#include "platform/errors.h"
#include "platform/prompts.h"

namespace yw {

// An expected refusal the user is told of (no game, a breed that is not installed, a file that
// is not a project): the editor shows reason() with icon(), the command line the file and the
// reason.
class Refusal : public FileError
{
public:
    Refusal(const QString& file, const QString& reason, PromptIcon icon)
        : FileError(file, reason), m_icon(icon)
    {}
    PromptIcon icon() const { return m_icon; }

private:
    PromptIcon m_icon;
};

} // namespace yw
