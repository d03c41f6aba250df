// The scan's verdicts as the check reports them: every candidate of a kind, the one that fills
// its slot and why each other one lost, always in step with what the scanner itself recorded.

#include "scan_explanation.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "package_scanner.h"
#include "recording_host.h"
#include "tree_accessor.h"

using namespace quillmere;
using quillmere::testing::RecordingHost;
using quillmere::testing::TreeAccessor;

namespace {

using Outcomes = std::vector<std::pair<std::string, CandidateOutcome>>;

Outcomes outcomesOf(const ScanExplanation& explanation, FoundSlot slot) {
    Outcomes out;
    for (const ExplainedCandidate& c : explanation.candidates(slot)) out.emplace_back(c.path, c.outcome);
    return out;
}

// A tree with candidates of every kind that lose for every reason.
TreeAccessor mixedTree() {
    TreeAccessor tree;
    tree.file("/pkg", "C2_old.INF", 10);
    tree.file("/pkg", "setup.exe", 100000);  // exactly the limit: too small
    tree.file("/pkg", "install.ini", 1000);  // likewise
    tree.file("/pkg", "readme.txt", 5000);   // no candidate at all
    tree.folder("/pkg", "CPanel");
    tree.file("/pkg/CPanel", "SETUP.EXE", 200000);
    tree.file("/pkg/CPanel", "Setup.exe", 50);  // the size is tested before the folder
    tree.folder("/pkg", "Driver");
    tree.file("/pkg/Driver", "INSTALL.INI", 3000);
    tree.file("/pkg/Driver", "Setup.exe", 200000);
    tree.file("/pkg/Driver", "C2_new.INF", 20);
    tree.file("/pkg/Driver", "CX_1.INF", 30);
    tree.folder("/pkg/Driver", "xWDMy");
    tree.file("/pkg/Driver/xWDMy", "CX_2.INF", 40);
    tree.file("/pkg/Driver/xWDMy", "INSTALL.INI", 9000);
    return tree;
}

}  // namespace

TEST(ScanExplanation, NamesTheWinnerOfEachSlotAndWhyEveryOtherCandidateLost) {
    TreeAccessor tree = mixedTree();
    RecordingHost host("/pkg");
    ScanExplanation explanation;
    scanPackageFolder(tree, host, "/pkg", &explanation);

    EXPECT_EQ(outcomesOf(explanation, FoundSlot::Label3),
              (Outcomes{{"/pkg/C2_old.INF", CandidateOutcome::FoundEarlier},
                        {"/pkg/Driver/C2_new.INF", CandidateOutcome::FillsSlot}}));
    EXPECT_EQ(outcomesOf(explanation, FoundSlot::Label4),
              (Outcomes{{"/pkg/Driver/CX_1.INF", CandidateOutcome::FillsSlot},
                        {"/pkg/Driver/xWDMy/CX_2.INF", CandidateOutcome::InWdmFolder}}));
    EXPECT_EQ(outcomesOf(explanation, FoundSlot::Label5),
              (Outcomes{{"/pkg/setup.exe", CandidateOutcome::TooSmall},
                        {"/pkg/CPanel/SETUP.EXE", CandidateOutcome::InCpFolder},
                        {"/pkg/CPanel/Setup.exe", CandidateOutcome::TooSmall},
                        {"/pkg/Driver/Setup.exe", CandidateOutcome::FillsSlot}}));
    EXPECT_EQ(outcomesOf(explanation, FoundSlot::Label2),
              (Outcomes{{"/pkg/install.ini", CandidateOutcome::TooSmall},
                        {"/pkg/Driver/INSTALL.INI", CandidateOutcome::FillsSlot},
                        {"/pkg/Driver/xWDMy/INSTALL.INI", CandidateOutcome::InWdmFolder}}));
    EXPECT_EQ(explanation.candidates(FoundSlot::Label3).back().size, 20u);

    // The winners are exactly what the scanner put into the slots, and the hits are its list.
    std::vector<std::string> hits;
    for (const FoundSlot slot : kFoundSlots) {
        for (const ExplainedCandidate& c : explanation.candidates(slot)) {
            if (c.outcome == CandidateOutcome::FillsSlot) {
                EXPECT_EQ(host.slotText(slot), c.path);
            }
            if (c.outcome == CandidateOutcome::FillsSlot || c.outcome == CandidateOutcome::FoundEarlier)
                hits.push_back(c.path);
        }
    }
    std::vector<std::string> list1 = host.list1;
    std::sort(list1.begin(), list1.end());
    std::sort(hits.begin(), hits.end());
    EXPECT_EQ(list1, hits);
}

TEST(ScanExplanation, AnObserverChangesNothingTheHostSees) {
    TreeAccessor plainTree = mixedTree(), observedTree = mixedTree();
    RecordingHost plain("/pkg"), observed("/pkg");
    ScanExplanation explanation;
    scanPackageFolder(plainTree, plain, "/pkg");
    scanPackageFolder(observedTree, observed, "/pkg", &explanation);
    EXPECT_EQ(plain.scanPaths, observed.scanPaths);
    EXPECT_EQ(plain.list1, observed.list1);
    EXPECT_EQ(plain.list2, observed.list2);
    for (const FoundSlot slot : kFoundSlots) EXPECT_EQ(plain.slotText(slot), observed.slotText(slot));
    EXPECT_EQ(plain.list1.size(), 5u);
}

TEST(ScanExplanation, AKindWithoutCandidatesHasNoneAndAllTooSmallFillsNothing) {
    TreeAccessor tree;
    tree.file("/pkg", "install.ini", 10);
    RecordingHost host("/pkg");
    ScanExplanation explanation;
    scanPackageFolder(tree, host, "/pkg", &explanation);
    EXPECT_TRUE(explanation.candidates(FoundSlot::Label3).empty());
    EXPECT_EQ(outcomesOf(explanation, FoundSlot::Label2),
              (Outcomes{{"/pkg/install.ini", CandidateOutcome::TooSmall}}));
    EXPECT_EQ(host.slotText(FoundSlot::Label2), "Label2");
}
