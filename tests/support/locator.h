#pragma once

#include "files/breedresources.h"
#include "model/projectstate.h"

#include <QByteArray>
#include <string>

namespace yw::test {

// A locator file holding `s`'s eleven values, as the program writes it. Header-only so that the
// fuzz targets, which do not link GoogleTest, can use it.
inline QByteArray locatorText(const ProjectState& s, const std::string& stem = "Zott")
{
    return locatorFileBytes({s.locDescPos, s.locDescLen, s.locNamePos, s.locNameLen, s.locSetBPos,
                             s.locSetAPos, s.locAttrPos, s.locAttrLen, s.locTipsPos, s.locTipsLen,
                             s.tipCount},
                            stem);
}

// A state holding eleven locator values, in the file's order.
inline ProjectState located(std::array<int32_t, 11> v)
{
    ProjectState s;
    LocatorValues{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]}.applyTo(s);
    return s;
}

} // namespace yw::test
