#pragma once

#include <QString>

// The messages and captions users rely on, word for word. Other checks look for the icon, the
// file and a keyword.
namespace yw::test::text {

inline const QString kSaveQuestion =
    QStringLiteral("Would you like to save any changes made in this project?");
inline const QString kNotAProject =
    QStringLiteral("%1 is not a valid project file. It cannot be opened.");
inline const QString kRecentFileGone =
    QStringLiteral("That file has been removed or renamed. Yolkwright cannot open it.");
inline const QString kNotOpened = QStringLiteral("The project %1 could not be opened.\r\n");
inline const QString kNotSaved = QStringLiteral("The project %1 could not be saved.\r\n");
inline const QString kNotWritten = QStringLiteral("The %1 %2 could not be written.\r\n");
inline const QString kNoGame = QStringLiteral(
    "Oddballz does not appear to be installed. You must install it before you can run "
    "Yolkwright.");
inline const QString kCritical =
    QStringLiteral("A critical error was encountered while trying to start Yolkwright. Please "
                   "forward the following information to Brindlecote:\r\nError #%1(%2) in %3");
inline const QString kBreedMissing =
    QStringLiteral("The breed that was selected, %1, is not installed in the Oddballz folder. "
                   "Yolkwright cannot use it.");
inline const QString kBreedDamaged =
    QStringLiteral("It appears that the %1.odd file in your Oddballz folder is either corrupt, a "
                   "demo egg, or your version of Oddballz has not been specified in the Options "
                   "window.");
inline const QString kVisit = QStringLiteral(
    "Are you sure you want to visit this website? It requires an active internet connection.");
inline const QString kCheckUpdates = QStringLiteral(
    "Are you sure you want to check for updates? This requires an active internet connection.");
inline const QString kHostQuestion =
    QStringLiteral("Click yes to go to Oddballz Neo's Free Listings page, where you can get "
                   "instructions on hosting your Oddballz. This requires an active internet "
                   "connection. Click No to cancel.");
inline const QString kSiteNamePrompt =
    QStringLiteral("Please enter the name of the website you would like to display in YPK files.");
inline const QString kSiteUrlPrompt = QStringLiteral(
    "Please enter the location of the website you would like to display in YPK files.");
inline const QString kProjectFilter =
    QStringLiteral("Yolkwright Projects (*.OPJ);;All Files (*.*)");
inline const QString kEggFilter = QStringLiteral("Oddballz Eggz (*.ODD)");
inline const QString kPackageFilter = QStringLiteral("Yolkwright Package (*.YPK)");
inline const QString kNoTopic = QStringLiteral("No information is available for this topic.");
inline const QString kWindowTitle = QStringLiteral("Yolkwright (Build 0310)");

} // namespace yw::test::text
