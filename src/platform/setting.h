#pragma once

#include "platform/settingsstore.h"

#include <array>

namespace yw {

// How a setting's stored text is read (the rules are those of settingsstore.h).
enum class ReadRule { Text, StrictNumber, LenientNumber, Boolean };

// One setting of the program: where it is stored, what a read gives when it is absent, and the
// one rule by which every reader reads it.
struct Setting
{
    QString section;
    QString key;
    QString defaultValue;
    ReadRule rule = ReadRule::Text;

    QString text(const SettingsStore& store) const;
    // A number by the setting's rule; a strict read throws FormatError on other text.
    long long number(const SettingsStore& store) const;
    // The same with a default known only when reading (the window's current size).
    long long number(const SettingsStore& store, long long defaultValue) const;
    // A boolean setting; throws FormatError on text that is no boolean.
    bool isOn(const SettingsStore& store) const;
    void write(SettingsStore& store, const QString& value) const;
};

// Every setting the program reads or writes.
namespace setting {

inline const Setting checkedCountry{kSectionMain, QStringLiteral("CheckedCountry"),
                                    QStringLiteral("0"), ReadRule::StrictNumber};
// "0" and "False" mean US, any other text UK (see editionFromSetting).
inline const Setting optUK{kSectionMain, QStringLiteral("optUK"), QStringLiteral("0"),
                           ReadRule::Text};
// The three check boxes of the Options dialog: "0" clear, "1" checked, "2" greyed.
inline const Setting optAsk{kSectionMain, QStringLiteral("optAsk"), QStringLiteral("1"),
                            ReadRule::LenientNumber};
inline const Setting optSplash{kSectionMain, QStringLiteral("optSplash"), QStringLiteral("1"),
                               ReadRule::LenientNumber};
inline const Setting optProjVers{kSectionMain, QStringLiteral("optProjVers"), QStringLiteral("1"),
                                 ReadRule::StrictNumber};
// "Let texts grow past the base egg's room": "1" lets the panels' texts and the eggs written grow.
inline const Setting optGrow{kSectionMain, QStringLiteral("optGrow"), QStringLiteral("0"),
                             ReadRule::LenientNumber};
inline const Setting siteName{kSectionMain, QStringLiteral("YPKSiteName"), QString(),
                              ReadRule::Text};
inline const Setting siteUrl{kSectionMain, QStringLiteral("YPKURL"), QString(), ReadRule::Text};
inline const Setting showTips{kSectionMdi, QStringLiteral("ShowTips"), QStringLiteral("True"),
                              ReadRule::Boolean};
// In twips, or -1 for a maximised window; the default is the window's current size.
inline const Setting width{kSectionMdi, QStringLiteral("Width"), QString(), ReadRule::StrictNumber};
inline const Setting height{kSectionMdi, QStringLiteral("Height"), QString(),
                            ReadRule::StrictNumber};
// The recent project files, most recent first.
inline const std::array<Setting, 4> recentFiles{
    Setting{kSectionRecent, QStringLiteral("1st"), QString(), ReadRule::Text},
    Setting{kSectionRecent, QStringLiteral("2nd"), QString(), ReadRule::Text},
    Setting{kSectionRecent, QStringLiteral("3rd"), QString(), ReadRule::Text},
    Setting{kSectionRecent, QStringLiteral("4th"), QString(), ReadRule::Text}};

} // namespace setting

} // namespace yw
