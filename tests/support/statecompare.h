#pragma once

#include "model/projectstate.h"

#include <string>

namespace yw::test {

// The first project member in which two states differ, or an empty text when they hold the same
// project (eBalls, texts, tips, locator values and base breed). Header-only so that the fuzz
// targets, which do not link GoogleTest, can use it.
inline std::string projectDifference(const ProjectState& a, const ProjectState& b)
{
    for (int i = 0; i < kEBallCount; ++i)
        if (!(a.eBalls[size_t(i)] == b.eBalls[size_t(i)]))
            return "eBalls[" + std::to_string(i) + "]";
#define YW_COMPARE(member)                                                                         \
    if (!(a.member == b.member))                                                                   \
        return #member;
    YW_COMPARE(baseBreed)
    YW_COMPARE(breedName)
    YW_COMPARE(eggTray)
    YW_COMPARE(eggSlot)
    YW_COMPARE(breedAttributes)
    YW_COMPARE(breedDescription)
    YW_COMPARE(demoTips)
    YW_COMPARE(regTips)
    YW_COMPARE(tipCount)
    YW_COMPARE(locDescPos)
    YW_COMPARE(locDescLen)
    YW_COMPARE(locNamePos)
    YW_COMPARE(locNameLen)
    YW_COMPARE(locSetAPos)
    YW_COMPARE(locSetBPos)
    YW_COMPARE(locAttrPos)
    YW_COMPARE(locAttrLen)
    YW_COMPARE(locTipsPos)
    YW_COMPARE(locTipsLen)
#undef YW_COMPARE
    return {};
}

} // namespace yw::test
