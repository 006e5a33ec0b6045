#include "startupwork.h"

#include <QtGlobal>
#include <fontconfig/fontconfig.h>

namespace yw {

namespace {

bool hasCacheFolders(FcConfig* config)
{
    FcStrList* folders = FcConfigGetCacheDirs(config);
    const bool any = folders && FcStrListNext(folders);
    if (folders)
        FcStrListDone(folders);
    return any;
}

} // namespace

// What FcInit() does, less one step: since 2.13.9x it also parses every template in
// fontconfig's conf.avail folder (more XML than the configuration itself) only so that
// fc-conflist can describe them. The configuration, font set and matches are the same. Anything
// unusual (no configuration, no cache folder, debugging asked for) goes the library's own way.
void loadFontConfiguration()
{
    if (!qEnvironmentVariableIsEmpty("FC_DEBUG")) {
        FcInit();
        return;
    }
    FcConfig* config = FcConfigCreate();
    const bool loaded = config && FcConfigParseAndLoad(config, nullptr, FcFalse) &&
                        hasCacheFolders(config) && FcConfigBuildFonts(config) &&
                        FcConfigSetCurrent(config);
    if (config)
        FcConfigDestroy(config); // the current configuration holds its own reference
    if (!loaded)
        FcInit(); // which tells what is missing
}

} // namespace yw
