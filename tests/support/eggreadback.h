#pragma once

#include "files/fieldcodec.h"
#include "model/projectstate.h"

namespace yw::test {

// `s` as an egg written from it reads back: an eBall without its texture flag carries -1 in the
// texture's place, and the description and attributes hold straight quotes where the state has
// curly closing ones (148). Header-only so that the fuzz targets can use it.
inline ProjectState asReadFromEgg(ProjectState s, int ballsPerSet)
{
    for (int i = 0; i < 2 * ballsPerSet; ++i)
        if (!s.eBalls[size_t(i)].useTexture)
            s.eBalls[size_t(i)].texture = -1;
    s.breedDescription = fromStoredQuotes(std::move(s.breedDescription));
    s.breedAttributes = fromStoredQuotes(std::move(s.breedAttributes));
    return s;
}

} // namespace yw::test
