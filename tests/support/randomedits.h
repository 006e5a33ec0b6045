#pragma once

#include "model/projectstate.h"

#include <algorithm>
#include <random>
#include <string>

namespace yw::test {

// Random edits of a project that the egg writer accepts: eBall values, and every text within its
// room in the egg, with quotes, accents and blanks but no line break.
class RandomEdits
{
public:
    explicit RandomEdits(unsigned seed) : m_rng(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

    // Windows-1252 text without line breaks, with quotes, curly quotes' neighbours and accents.
    std::string text(int maxLength, bool blanks = true)
    {
        static const std::string alphabet = std::string("abcXYZ019-_.,;!?'\"&()") +
                                            "\xe4\xf6\xfc\xe9\xdf\x80" + std::string(4, ' ');
        const int length = number(1, std::max(1, maxLength));
        std::string out;
        while (int(out.size()) < length) {
            const char c = alphabet[size_t(number(0, int(alphabet.size()) - 1))];
            if (c == ' ' && (!blanks || out.empty()))
                continue;
            out += c;
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out.empty() ? std::string("x") : out;
    }

    void edit(ProjectState& s, int ballsPerSet)
    {
        for (int changes = number(1, 40); changes > 0; --changes) {
            EBallRecord& r = s.eBalls[size_t(number(0, 2 * ballsPerSet - 1))];
            r.fillColor = int16_t(number(-1, 255));
            r.borderColor = int16_t(number(-1, 255));
            r.spreckColor = int16_t(number(-1, 255));
            r.fuzziness = int16_t(number(0, 3));
            r.borderThickness = int16_t(number(-1, 2));
            r.diameter = int16_t(number(1, 120));
            r.useTexture = int16_t(r.texture > -1 ? number(0, 1) : 0);
        }
        // Every text within its room in the egg (the writer refuses more, tested elsewhere).
        s.eggTray = std::to_string(number(0, 99));
        s.eggSlot = std::to_string(number(0, 9));
        s.breedName =
            text(std::min<int>(20, s.locNameLen - int(s.eggTray.size() + s.eggSlot.size()) - 3));
        s.breedDescription = text(std::min(s.locDescLen, 200));
        s.breedAttributes = text(std::min(s.locAttrLen, 60));
        const int perTip = std::max(1, s.locTipsLen / std::max(1, s.tipCount) - 2);
        for (int t = 0; t < s.tipPairs(); ++t) {
            s.regTips[size_t(t)] = number(0, 4) == 0 ? std::string() : text(perTip);
            s.demoTips[size_t(t)] = text(perTip);
        }
    }

private:
    std::mt19937 m_rng;
};

} // namespace yw::test
