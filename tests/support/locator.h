#pragma once

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
    s.locDescPos = v[0];
    s.locDescLen = v[1];
    s.locNamePos = v[2];
    s.locNameLen = v[3];
    s.locSetBPos = v[4];
    s.locSetAPos = v[5];
    s.locAttrPos = v[6];
    s.locAttrLen = v[7];
    s.locTipsPos = v[8];
    s.locTipsLen = v[9];
    s.tipCount = v[10];
    return s;
}

} // namespace yw::test
