#pragma once

#include "model/eballfields.h"

#include <QFlags>
#include <QString>
#include <span>
#include <string>
#include <vector>

// Tools that change many eBalls at once. They work on the project's eBall table (pass
// `state.eBalls`) and take the base breed's `ballsPerSet` (from its information file), so that
// set B is addressed at ballsPerSet like everywhere else. They throw std::invalid_argument or
// std::out_of_range for arguments that no dialog should produce; they never touch records beyond
// the two sets.
namespace yw {

// Set A is the baby, set B the adult. The game colours both forms from the adult set, so the
// colour tools are meant to default to B.
enum class BallSet : unsigned { A = 1, B = 2 };
Q_DECLARE_FLAGS(BallSets, BallSet)
Q_DECLARE_OPERATORS_FOR_FLAGS(BallSets)

// The record of the eBall at 0-based list position `position` of `set`.
int recordIndex(BallSet set, int position, int ballsPerSet);

// Replace Colour: every `from` in the chosen colour fields of the chosen sets becomes `to`.
// `fields` may hold only colour fields (kColourFields).
struct ColourReplacement
{
    int16_t from = 0;
    int16_t to = 0;
    EBallFields fields = EBallField::Fill;
    BallSets sets = BallSet::B;
};

// How many eBalls the replacement would change (an eBall counts once, however many of its
// fields change); 0 when `from` equals `to`.
int countColourReplacements(std::span<const EBallRecord> eBalls, int ballsPerSet,
                            const ColourReplacement& replacement);

// Applies the replacement and returns the number of eBalls it changed (the count above).
int replaceColour(std::span<EBallRecord> eBalls, int ballsPerSet,
                  const ColourReplacement& replacement);

// Apply to Others: copies `fields` of the eBall at list position `source` of `set` to the eBalls
// at list positions `targets` of the same set. The source itself and repeated positions are
// harmless. Returns the number of target eBalls that changed.
int applyToOthers(std::span<EBallRecord> eBalls, int ballsPerSet, BallSet set, int source,
                  const std::vector<int>& targets, EBallFields fields);

// The list positions of the labels (Windows-1252 bytes, as the information file holds them) that
// contain `word` as a whole word (or words), ignoring case and the word's surrounding blanks. An
// empty word matches none.
std::vector<int> labelsContaining(const std::vector<std::string>& labels, const QString& word);

} // namespace yw
