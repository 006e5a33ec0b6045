#pragma once

#include "model/projectstate.h"

#include <QByteArray>
#include <QString>
#include <string_view>
#include <vector>

// What an egg would lose if a breed were written back over it: the one rule the survey and import
// judge by. Only what the game would show differently counts, never where the writer puts its
// own blanks:
// - bytes outside the written regions are never written, so they are kept by construction;
// - each ball line reads back to the same values and comment with the one ball-line reader, and
//   what follows its comment is only blanks and the final comma;
// - the description, the attributes and the name block show the same text up to their first zero
//   byte (a curly closing quote, 148, may come back straight, as the project file keeps it), and
//   their room ends in a zero, so the writer's zeros wipe nothing that follows it;
// - the tips show the same entries; the line end and zeros the writer puts after a shorter block
//   are no loss, any other byte left in their room is.
namespace yw {

// What writing `state` back over `baseEgg` at the state's own places, with `ballsPerSet` lines a
// set, would lose: one short sentence per loss naming the part (the ball line, the tips, the name
// block...) and the bytes, in a player's words; empty when nothing is lost. A breed the egg writer
// refuses gives the refusal as its one loss. `eggPath` names the egg in messages. Never throws.
std::vector<QString> roundTripLosses(const QByteArray& baseEgg, int ballsPerSet,
                                     const ProjectState& state, const QString& eggPath);

} // namespace yw
