#include "shell/help/weblinks.h"

#include "platform/prompts.h"

#include <QDesktopServices>
#include <iterator>

namespace yw {

namespace {

const char* const kVisitQuestion =
    "Are you sure you want to visit this website? It requires an active internet connection.";

// The host names are placeholders under the reserved .example domain until the sites have
// addresses of their own; every place keeps its path.
const WebLink kLinks[] = {
    {WebPlace::Brindlecote, "https://www.brindlecote.example/", kVisitQuestion},
    {WebPlace::OddPlanet, "https://www.oddplanet.example/", kVisitQuestion},
    {WebPlace::OddballzNeo, "https://www.oddballzneo.example/oddballz/", kVisitQuestion},
    {WebPlace::AmberOddballz, "https://www.amberoddballz.example/", kVisitQuestion},
    {WebPlace::HostYourOddballz,
     "https://www.oddballzneo.example/oddballz/other_pages/free_listing/",
     "Click yes to go to Oddballz Neo's Free Listings page, where you can get instructions on "
     "hosting your Oddballz. This requires an active internet connection. Click No to cancel."},
    {WebPlace::Update, "https://www.oddplanet.example/cgi-bin/update.pl?bldno=",
     "Are you sure you want to check for updates? This requires an active internet "
     "connection."},
};

} // namespace

const WebLink& webLink(WebPlace place)
{
    for (const WebLink& link : kLinks)
        if (link.place == place)
            return link;
    return kLinks[0];
}

QUrl webAddress(WebPlace place, const QString& buildNo)
{
    QString address = QString::fromLatin1(webLink(place).address);
    if (place == WebPlace::Update)
        address += QString::fromLatin1(QUrl::toPercentEncoding(buildNo));
    return QUrl(address, QUrl::StrictMode);
}

UrlOpener desktopUrlOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool goOnline(WebPlace place, const QString& buildNo, bool askFirst, Prompts& prompts,
              const UrlOpener& open)
{
    if (askFirst &&
        prompts.question(QString::fromLatin1(webLink(place).question), PromptButtons::YesNo,
                         PromptIcon::Question) == PromptAnswer::No)
        return false;
    open(webAddress(place, buildNo));
    return true;
}

} // namespace yw
