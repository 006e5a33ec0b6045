#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace yw {

class Prompts;

// The web places the Help menu goes to, in one table so that a move of a site is one edit.
enum class WebPlace {
    Brindlecote,
    OddPlanet,
    OddballzNeo,
    AmberOddballz,
    HostYourOddballz,
    Update
};

struct WebLink
{
    WebPlace place;
    const char* address;
    const char* question; // asked first when the user wants to be asked before going online
};

const WebLink& webLink(WebPlace place);

// The address of a place; for the update check the build string is appended to its
// "bldno=" query ("0310" gives ...update.pl?bldno=0310).
QUrl webAddress(WebPlace place, const QString& buildNo);

// Hands an address to the desktop's default web browser. Tests replace it.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener desktopUrlOpener();

// Going online: asks the place's question first when `askFirst` (No stops), then opens the
// address. The opener's result is not examined: failures are the browser's to report.
// Returns whether the address was handed over.
bool goOnline(WebPlace place, const QString& buildNo, bool askFirst, Prompts& prompts,
              const UrlOpener& open);

} // namespace yw
