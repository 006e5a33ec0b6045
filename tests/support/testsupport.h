#pragma once

#include "model/installation.h"
#include "model/projectstate.h"
#include "platform/errors.h"
#include "platform/filesystem.h"
#include "platform/prompts.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace yw::test {

// A test with a fresh folder of its own, removed after it.
class TempFolderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// Records what the core showed and answers questions from a script (Yes when the script is
// empty).
class ScriptedPrompts : public Prompts
{
public:
    struct Shown
    {
        QString text;
        PromptIcon icon;
        bool question;
        PromptButtons buttons = PromptButtons::YesNo;
    };

    void message(const QString& text, PromptIcon icon) override
    {
        shown.push_back({text, icon, false});
    }
    PromptAnswer question(const QString& text, PromptButtons buttons, PromptIcon icon) override
    {
        shown.push_back({text, icon, true, buttons});
        const PromptAnswer answer = answers.empty() ? PromptAnswer::Yes : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    // Expects exactly one prompt shown, with `icon`, whose text is `text` (or holds it).
    void expectOne(const QString& text, PromptIcon icon, bool whole = true) const
    {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(whole ? shown[0].text == text : shown[0].text.contains(text))
            << shown[0].text.toStdString();
        EXPECT_EQ(shown[0].icon, icon);
    }

    std::deque<PromptAnswer> answers;
    std::vector<Shown> shown;
};

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// An installation as start-up leaves it (US edition, build 0310) for the given folders.
Installation testInstallation(const FileSystem& fso, const QString& programFolder,
                              const QString& gameFolder = QString());

// The sample game's US edition under `root`, the program's resource files in root/program, and
// an installation pointing at both.
Installation sampleGameInstallation(const QString& root, const FileSystem& fso);

// Runs `fn` and expects a FormatError naming `file` and, unless `where` is null, `where`.
template <typename Fn> void expectFormatError(Fn&& fn, const QString& file, const QString& where)
{
    try {
        fn();
        ADD_FAILURE() << "no error";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.file(), file);
        if (!where.isNull()) {
            EXPECT_EQ(error.where(), where) << error.message().toStdString();
        }
    } catch (const Error& error) {
        ADD_FAILURE() << "not a format error: " << error.message().toStdString();
    }
}

// A table row's words as a test's name: each run of other characters than letters and digits
// becomes one '_' ("two tips blocks" -> "two_tips_blocks").
std::string testName(std::string_view words);

// Names each parameterised test after its row's `name`.
struct RowName
{
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const
    {
        return testName(info.param.name);
    }
};

} // namespace yw::test

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
