#include "breedfixture.h"
#include "files/eggwriter.h"
#include "files/newproject.h"
#include "files/projectfile.h"
#include "platform/errors.h"

#include <QFile>

namespace yw {

using namespace test;

class NewProjectReader : public BreedFixture
{
protected:
    NewProject read() { return readBaseBreed(state, QStringLiteral("Zott"), prompts); }

    void expectDamaged(const NewProject& project)
    {
        EXPECT_EQ(project.status, NewProjectStatus::DamagedEgg);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("Zott.odd")));
        EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Critical);
    }
};

TEST_F(NewProjectReader, ReadsEveryRegionOfTheBaseEgg)
{
    content.description = "Say \"hi\"";
    install();
    const ProjectState before = state;
    const NewProject project = read();
    ASSERT_EQ(project.status, NewProjectStatus::Created);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(project.header.lnzNameA, "zt_small.lnz");
    EXPECT_EQ(project.header.ballsPerSet, 3);
    const ProjectState& s = project.state;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.eBalls[size_t(i)], content.balls[size_t(i)]) << "eBall " << i;
    // Tray 12 and slot 5 style block; the zero padding of the block is not part of the slot.
    EXPECT_EQ(s.breedName, "Zotty");
    EXPECT_EQ(s.eggTray, "7");
    EXPECT_EQ(s.eggSlot, "3");
    EXPECT_EQ(s.regTips, (std::array<std::string, 3>{"reg zero", "reg one", "reg two"}));
    EXPECT_EQ(s.demoTips, (std::array<std::string, 3>{"demo zero", "demo one", "demo two"}));
    EXPECT_EQ(s.breedDescription, "Say \"hi\"");
    EXPECT_EQ(s.breedAttributes, "Bouncy");
    EXPECT_EQ(s.locTipsLen, layout.tipsLen);
    // The current state is never touched.
    EXPECT_EQ(state.baseBreed, before.baseBreed);
    EXPECT_EQ(state.breedName, before.breedName);
}

TEST_F(NewProjectReader, NameBlockGivesTrayAndSlotWithoutZeroBytes)
{
    content.nameBlock = QByteArray("Nul\0led\r\n12 5", 14);
    install();
    const NewProject project = read();
    ASSERT_EQ(project.status, NewProjectStatus::Created);
    EXPECT_EQ(project.state.breedName, "Nulled");
    EXPECT_EQ(project.state.eggTray, "12");
    EXPECT_EQ(project.state.eggSlot, "5");
}

TEST_F(NewProjectReader, TipLinesLoseTheirKeyAndZeroBytesButALineWithoutKeyStaysWhole)
{
    content.tipsBlock = QByteArray("string0=first\0tip\r\nno key here\r\nstring2=a string2=b\r\n"
                                   "string3=\r\nstring4=x\r\nstring5=y",
                                   84);
    install();
    const NewProject project = read();
    ASSERT_EQ(project.status, NewProjectStatus::Created);
    EXPECT_EQ(project.state.regTips[0], "firsttip");
    EXPECT_EQ(project.state.demoTips[0], "no key here");
    EXPECT_EQ(project.state.regTips[1], "a string2=b");
    EXPECT_EQ(project.state.demoTips[1], "");
    EXPECT_EQ(project.state.demoTips[2], "y");
}

TEST_F(NewProjectReader, DamagedEggsAreToldAndReportedAsDamaged)
{
    // Eggs whose content is not what a sound egg holds at the located positions.
    struct ContentCase
    {
        const char* what;
        QByteArray nameBlock;
        QByteArray tipsBlock;
    };
    const EggContent sound = content;
    for (const ContentCase& c : {
             ContentCase{"name block second line without a blank", "Zotty\r\n12", sound.tipsBlock},
             ContentCase{"name block of one line", "Zotty", sound.tipsBlock},
             ContentCase{"tips without line ends", sound.nameBlock, QByteArray(260, 'x')},
         }) {
        SCOPED_TRACE(c.what);
        content.nameBlock = c.nameBlock;
        content.tipsBlock = c.tipsBlock;
        install();
        prompts.shown.clear();
        expectDamaged(read());
    }

    // Locator values that do not fit the egg (the other edition's files, say).
    content = sound;
    install();
    struct LocatorCase
    {
        const char* what;
        std::function<void(EggLayout&)> change;
    };
    for (const LocatorCase& c : {
             LocatorCase{"ball set B off its lines", [](EggLayout& l) { l.setBPos += 3; }},
             LocatorCase{"ball set A past the end", [](EggLayout& l) { l.setAPos = 5000; }},
             LocatorCase{"description beyond the end", [](EggLayout& l) { l.descLen = 5000; }},
             LocatorCase{"negative tips room", [](EggLayout& l) { l.tipsLen = -100; }},
             LocatorCase{"a fourth tip pair", [](EggLayout& l) { l.tipCount = 7; }},
         }) {
        SCOPED_TRACE(c.what);
        EggLayout located = layout;
        c.change(located);
        writeFile(state.programFolder + QStringLiteral("/res/Zott.loc"), locatorText(located));
        prompts.shown.clear();
        expectDamaged(read());
    }
}

TEST_F(NewProjectReader, MissingEggOrResourceFilesAreToldWithTheirOwnMessage)
{
    install();
    NewProject project = readBaseBreed(state, QStringLiteral("Quadrapus"), prompts);
    EXPECT_EQ(project.status, NewProjectStatus::NotInstalled);
    EXPECT_EQ(project.state.baseBreed, "quadrpus");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("Quadrapus")));
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::None);

    for (const char* missing : {"/res/Zott.loc", "/res/Zott.blz"}) {
        SCOPED_TRACE(missing);
        QFile::remove(state.programFolder + QLatin1String(missing));
        prompts.shown.clear();
        project = read();
        EXPECT_EQ(project.status, NewProjectStatus::NoResources);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Critical);
    }
}

} // namespace yw
