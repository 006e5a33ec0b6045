// The locator reader on any bytes. It never fails: a missing line or a field that is not a
// number leaves that member as it was, so reading the file onto two different states changes
// exactly the same members to exactly the same values.
#include "files/breedresources.h"
#include "fuzzsupport.h"

using namespace yw;

namespace {

std::array<int32_t, 11> locatorValues(const ProjectState& s)
{
    return {s.locDescPos, s.locDescLen, s.locNamePos, s.locNameLen, s.locSetBPos, s.locSetAPos,
            s.locAttrPos, s.locAttrLen, s.locTipsPos, s.locTipsLen, s.tipCount};
}

void setAll(ProjectState& s, int32_t value)
{
    s.locDescPos = s.locDescLen = s.locNamePos = s.locNameLen = s.locSetBPos = s.locSetAPos =
        s.locAttrPos = s.locAttrLen = s.locTipsPos = s.locTipsLen = s.tipCount = value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Fixture& fixture = fuzz::Fixture::instance();
    fuzz::writeScratch(fixture.path(QStringLiteral("res/Fuzz.loc")), fuzz::bytesOf(data, size));

    ProjectState a = fixture.startState();
    a.baseBreed = "Fuzz";
    ProjectState b = a;
    setAll(a, -7);
    setAll(b, 123456);
    getLOX(a);
    getLOX(b);
    const auto va = locatorValues(a);
    const auto vb = locatorValues(b);
    for (size_t i = 0; i < va.size(); ++i) {
        const bool keptA = va[i] == -7;
        const bool keptB = vb[i] == 123456;
        // A member the file sets gets the same value on both; one it does not set keeps its own.
        fuzz::check(va[i] == vb[i] || (keptA && keptB), "getLOX depends on the old values",
                    std::to_string(i));
    }
    return 0;
}
