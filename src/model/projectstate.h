#pragma once

#include "model/eballrecord.h"

#include <QString>
#include <array>
#include <string>

namespace yw {

inline constexpr int kEBallCount = 512;
inline constexpr int kParkingRecord = 511;
inline constexpr int kMaxTipPairs = 3;

// The one open project; a fresh value is the start-up project (base breed "Quadrapus", 6 tips).
// Created once by the application and handed by reference, beside the Installation, to every
// window and command. Texts hold Windows-1252 bytes exactly as the files hold them.
struct ProjectState
{
    std::array<EBallRecord, kEBallCount> eBalls{};
    std::string baseBreed = "Quadrapus";
    std::string breedName;
    std::string eggTray;
    std::string eggSlot;
    std::string breedAttributes;
    std::string breedDescription;
    std::array<std::string, kMaxTipPairs> demoTips{};
    std::array<std::string, kMaxTipPairs> regTips{};
    int32_t tipCount = 6;

    int32_t locDescPos = 0;
    int32_t locDescLen = 0;
    int32_t locNamePos = 0;
    int32_t locNameLen = 0;
    int32_t locSetAPos = 0;
    int32_t locSetBPos = 0;
    int32_t locAttrPos = 0;
    int32_t locAttrLen = 0;
    int32_t locTipsPos = 0;
    int32_t locTipsLen = 0;

    // Tip pairs a project of this base breed carries: the whole part of tipCount / 2.
    // Throws FormatError naming `sourceFile` (where tipCount came from) when that would need
    // more than three pairs.
    int tipPairs(const QString& sourceFile = QString()) const;

    // Takes over a project read into `fresh` (a copy of this state filled by a reader); records
    // from `usedRecords` on keep what this state holds now, as the file carries none of them.
    void commitProject(const ProjectState& fresh, int usedRecords);

    // Checked access for indexes that come from files or lists.
    EBallRecord& ball(int index);
    const EBallRecord& ball(int index) const;
};

// Joins folders and names written with either separator into a local path.
QString joinPath(const QString& folder, const QString& rest);

} // namespace yw
