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
    return locatorFileBytes(LocatorValues::of(s), stem);
}

// A state holding eleven locator values, in the file's order.
inline ProjectState located(std::array<int32_t, 11> v)
{
    ProjectState s;
    for (size_t i = 0; i < v.size(); ++i)
        s.*kLocatorFields[i].state = v[i];
    return s;
}

} // namespace yw::test
