#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ui/LayoutMemo.h"

namespace vexadra {
namespace {

LayoutMemo Filled()
{
    LayoutMemo memo;
    memo.UseSignature("options=1 dpi=96");
    memo.RememberPointSize("Liberation Sans", true, 30, RememberedPointSize{19, 29});
    memo.RememberPointSize("Liberation Sans", false, 30, RememberedPointSize{20, 30});
    memo.RememberFit(Size{1024, 743}, 0xba4f5169714c0c7bull, RememberedFit{24, Size{11617, 216}});
    return memo;
}

TEST(LayoutMemo, KeepsWhatItLearnedThroughItsTextUnderTheSameSignatureOnly)
{
    LayoutMemo memo = LayoutMemo::FromText(Filled().ToText());
    EXPECT_FALSE(memo.Changed());
    memo.UseSignature("options=1 dpi=96");
    ASSERT_NE(memo.FindPointSize("Liberation Sans", true, 30), nullptr);
    EXPECT_EQ(memo.FindPointSize("Liberation Sans", true, 30)->points, 19);
    EXPECT_EQ(memo.FindPointSize("Liberation Sans", false, 30)->cell, 30);
    EXPECT_EQ(memo.FindPointSize("Liberation Sans", true, 31), nullptr);
    ASSERT_NE(memo.FindFit(Size{1024, 743}, 0xba4f5169714c0c7bull), nullptr);
    EXPECT_EQ(memo.FindFit(Size{1024, 743}, 0xba4f5169714c0c7bull)->sampleExtent, (Size{11617, 216}));
    EXPECT_EQ(memo.FindFit(Size{1024, 743}, 1), nullptr);
    EXPECT_FALSE(memo.Changed());

    memo.UseSignature("options=1 dpi=192");
    EXPECT_TRUE(memo.Changed());
    EXPECT_EQ(memo.FindPointSize("Liberation Sans", true, 30), nullptr);
    EXPECT_EQ(memo.FindFit(Size{1024, 743}, 0xba4f5169714c0c7bull), nullptr);
}

TEST(LayoutMemo, ReadsOnlyLinesItUnderstandsAndKeepsTheNewestEntries)
{
    const std::string good = Filled().ToText();
    EXPECT_EQ(LayoutMemo::FromText("vexadra layout memo 2\n" + good.substr(good.find('\n') + 1)).ToText(),
              LayoutMemo().ToText());
    const LayoutMemo odd = LayoutMemo::FromText(good +
                                                "size\tDejaVu Sans\t2\t10\t7\t10\n"
                                                "size\tDejaVu Sans\t1\t10\t-7\t10\n"
                                                "size\tDejaVu Sans\t1\t10\t7\t10x\n"
                                                "size\t\t1\t10\t7\t10\n"
                                                "fit\t800\t573\tnothex\t20\t1\t1\n"
                                                "fit\t800\t573\t1f\t20\t1\n"
                                                "fit\t800\t573\t1f\t99999999999\t1\t1\n"
                                                "\x01\xff garbage\n");
    EXPECT_EQ(odd.ToText(), good);

    LayoutMemo memo;
    for (int h = 1; h <= static_cast<int>(LayoutMemo::kMaxPointSizes) + 5; ++h)
        memo.RememberPointSize("Face", true, h, RememberedPointSize{h, h});
    for (int w = 1; w <= static_cast<int>(LayoutMemo::kMaxFits) + 5; ++w)
        memo.RememberFit(Size{w, 1}, 7, RememberedFit{w, Size{w, w}});
    memo.RememberPointSize("Face\twith a tab", true, 9, RememberedPointSize{9, 9});
    const LayoutMemo kept = LayoutMemo::FromText(memo.ToText());
    EXPECT_EQ(kept.FindPointSize("Face", true, 5), nullptr);
    EXPECT_NE(kept.FindPointSize("Face", true, static_cast<int>(LayoutMemo::kMaxPointSizes) + 5), nullptr);
    EXPECT_EQ(kept.FindFit(Size{5, 1}, 7), nullptr);
    EXPECT_NE(kept.FindFit(Size{static_cast<int>(LayoutMemo::kMaxFits) + 5, 1}, 7), nullptr);
    EXPECT_EQ(kept.FindPointSize("Face\twith a tab", true, 9), nullptr);
}

TEST(LayoutMemo, FileIsWrittenWholeAndAnythingElseReadsAsEmpty)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("vexadra-memo-" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    const std::string path = (dir / "cache" / "layout").string();
    EXPECT_EQ(ReadLayoutMemo(path).ToText(), LayoutMemo().ToText());
    ASSERT_TRUE(WriteLayoutMemo(path, Filled()));
    EXPECT_EQ(ReadLayoutMemo(path).ToText(), Filled().ToText());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "cache"), {}), 1);  // no file left behind

    std::ofstream(path, std::ios::trunc) << std::string(100000, 'x');
    EXPECT_EQ(ReadLayoutMemo(path).ToText(), LayoutMemo().ToText());
    // A folder where the file should be, or a file where the folder should be.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    EXPECT_EQ(ReadLayoutMemo(path).ToText(), LayoutMemo().ToText());
    EXPECT_FALSE(WriteLayoutMemo(path, Filled()));
    std::ofstream(dir / "blocker") << "a file";
    EXPECT_FALSE(WriteLayoutMemo((dir / "blocker" / "layout").string(), Filled()));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vexadra
