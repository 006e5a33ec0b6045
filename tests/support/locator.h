#pragma once

#include "files/breedresources.h"
#include "model/projectstate.h"

#include <QByteArray>

namespace yw::test {

// A locator file holding `s`'s eleven values in the file's order (set B before set A). Header-only
// so that the fuzz targets, which do not link GoogleTest, can use it.
inline QByteArray locatorText(const ProjectState& s, const QByteArray& stem = "Zott")
{
    const auto n = [](int32_t value) { return QByteArray::number(value); };
    return stem + "\r\nUS\r\n" + n(s.locDescPos) + "\t\t" + n(s.locDescLen) + "\r\n" +
           n(s.locNamePos) + "\t\t" + n(s.locNameLen) + "\r\n" + n(s.locSetBPos) + "\r\n" +
           n(s.locSetAPos) + "\r\n" + n(s.locAttrPos) + "\t\t" + n(s.locAttrLen) + "\r\n" +
           n(s.locTipsPos) + "\t\t" + n(s.locTipsLen) + "\t\t" + n(s.tipCount) + "\r\n";
}

// A state holding eleven locator values, in the file's order.
inline ProjectState located(std::array<int32_t, 11> v)
{
    ProjectState s;
    LocatorValues{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]}.applyTo(s);
    return s;
}

} // namespace yw::test
