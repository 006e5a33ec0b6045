// The locator reader on any bytes. It never fails: a missing line or a field that is not a
// number leaves that member as it was, so reading the file onto two different states changes
// exactly the same members to exactly the same values.
#include "files/breedresources.h"
#include "fuzzsupport.h"

using namespace yw;

namespace {

ProjectState locatedAll(const ProjectState& start, int32_t v)
{
    ProjectState s = start;
    LocatorValues{v, v, v, v, v, v, v, v, v, v, v}.applyTo(s);
    getLOX(fuzz::startInstallation(), s);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::input(QStringLiteral("res/Fuzz.loc"), fuzz::bytesOf(data, size));
    ProjectState start;
    start.baseBreed = "Fuzz";
    const ProjectState a = locatedAll(start, -7);
    const ProjectState b = locatedAll(start, 123456);
    int32_t ProjectState::*const members[] = {
        &ProjectState::locDescPos, &ProjectState::locDescLen, &ProjectState::locNamePos,
        &ProjectState::locNameLen, &ProjectState::locSetBPos, &ProjectState::locSetAPos,
        &ProjectState::locAttrPos, &ProjectState::locAttrLen, &ProjectState::locTipsPos,
        &ProjectState::locTipsLen, &ProjectState::tipCount};
    for (const auto member : members) {
        // A member the file sets gets the same value on both; one it does not set keeps its own.
        fuzz::check(a.*member == b.*member || (a.*member == -7 && b.*member == 123456),
                    "getLOX depends on the old values");
    }
    return 0;
}
