#pragma once

#include "model/projectstate.h"
#include "platform/filesystem.h"
#include "support/locator.h"
#include "support/testsupport.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace yw::test {

// A synthetic base breed "Zott": resource files and a base egg whose regions are laid out by
// hand here (not by the egg writer), so the writer and the reader are checked against an
// independent picture of the egg.
struct EggLayout
{
    int ballsPerSet = 3;
    int setAPos = 201;
    int setBPos = 801;
    int descPos = 1401;
    int descLen = 100;
    int namePos = 1601;
    int nameLen = 40;
    int attrPos = 1701;
    int attrLen = 80;
    int tipsPos = 1901;
    int tipsLen = 200;
    int tipCount = 6;
    int size = 3000;
};

struct EggContent
{
    std::vector<EBallRecord> balls; // 2 * ballsPerSet
    QByteArray nameBlock = "Zotty\r\n7 3";
    QByteArray description = "A small round breed.";
    QByteArray attributes = "Bouncy";
    QByteArray tipsBlock = "string0=reg zero\r\nstring1=demo zero\r\nstring2=reg one\r\n"
                           "string3=demo one\r\nstring4=reg two\r\nstring5=demo two";
    // What the rooms hold after each text: zeros, as in a written egg, or another byte, so that
    // a byte the writer fails to clear or write shows.
    char roomFill = '\0';
};

// Filler that is not a ball line anywhere: letters only.
QByteArray fillerEgg(int size);
std::vector<EBallRecord> sampleBalls(int count);
QByteArray buildEgg(const EggLayout& layout, const EggContent& content);
QByteArray locatorText(const EggLayout& layout);

// What every egg written from `base` for `s` must be: each set reads back as n ball lines holding
// the state's records and ending where the base egg's lines ended; each text region holds its text
// (quotes as stored in `s`, straight in the egg) and zeros; every other byte is the base egg's.
void expectEggFitsBase(const QByteArray& egg, const QByteArray& base, const ProjectState& s, int n);

class BreedFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    // Writes the resource files and the base egg (and companion) for the layout and content.
    void install(bool withCompanion = false);
    QString path(const QString& name) const { return dir.filePath(name); }
    QString gamePath(const char* rest) const;

    QTemporaryDir dir;
    FileSystem fso;
    ProjectState state;
    EggLayout layout;
    EggContent content;
    QByteArray baseEgg;
    QByteArray baseCompanion = QByteArray("companion bytes\0\x01\x02", 18);
    ScriptedPrompts prompts;
};

} // namespace yw::test
