#pragma once

#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/prompts.h"
#include "support/surveyeggs.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

namespace yw::fuzz {

// The resource files of the fixture's breeds: small, so that every input is read to its end
// quickly, and with two tip counts (6: three pairs, 5: two pairs).
inline constexpr char kZottInfo[] = "\"zt_small.lnz\",\"zt.lnz\",2\r\nhead\r\nleft ear\r\n";
inline constexpr char kZottLocator[] = "Zott\r\nUS\r\n100\t\t50\r\n200\t\t40\r\n3000\r\n1000\r\n"
                                       "400\t\t60\r\n500\t\t300\t\t6\r\n";
inline constexpr char kLipsInfo[] = "\"lp_a.lnz\",\"lp_b.lnz\",3\r\nupper\r\nlower\r\ncorner\r\n";
inline constexpr char kLipsLocator[] = "Lips\r\nUS\r\n10\t\t20\r\n40\t\t30\r\n900\r\n600\r\n"
                                       "80\t\t20\t\t\r\n120\t\t100\t\t5\r\n";

// The import fuzzer's installed base breed, Honker: small, so every input is compared quickly.
inline const test::SurveyEggRecipe kImportBaseRecipe{.seed = 3, .ballsPerSet = 2};

// A failed property: prints what and aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] void fail(const char* what, const std::string& detail = {});
inline void check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok)
        fail(what, detail);
}

// Runs `read`, for which an error of type `Allowed` is a fine outcome: true when none came.
// Anything else, a crash or another exception, reaches libFuzzer.
template <typename Allowed = Error, typename Read> bool succeeds(Read&& read)
{
    try {
        read();
        return true;
    } catch (const Allowed&) {
        return false;
    }
}

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Writes `bytes` to `path`, replacing it (a plain write: the fuzzers' own scratch files).
void writeScratch(const QString& path, const QByteArray& bytes);

// A file in the fuzzer run's private folder (the folder itself for an empty name), which holds
// res/ with the fixture's breeds and an empty game/eggz/Honker/.
QString fixturePath(const QString& name);
// Writes the fuzzer's input to the fixture's file `name` and returns its path.
QString input(const QString& name, const QByteArray& bytes);
// An installation at start-up (US, build 0310) whose program folder is the fixture's.
Installation startInstallation();

// Answers Yes to every question, as a user who always goes on would, and counts the messages.
class YesPrompts : public Prompts
{
public:
    void message(const QString&, PromptIcon) override { ++messages; }
    PromptAnswer question(const QString&, PromptButtons, PromptIcon) override
    {
        return PromptAnswer::Yes;
    }
    int messages = 0;
};

} // namespace yw::fuzz
