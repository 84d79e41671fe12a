#include "lists/service_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ServiceTexts, TablesAndTypesAtTheirEdges) {
    EXPECT_EQ(ovix::ServiceStateText(7), "PAUSED");
    EXPECT_EQ(ovix::ServiceStateText(8), "UNKNOWN");
    EXPECT_EQ(ovix::ServiceStateText(0), "UNKNOWN");
    EXPECT_EQ(ovix::StartTypeText(4), "DISABLED");
    EXPECT_EQ(ovix::StartTypeText(5), "UNKNOWN");
    EXPECT_EQ(ovix::ErrorControlText(3), "ERROR_CRITICAL");
    EXPECT_EQ(ovix::ErrorControlText(4), "UNKNOWN");
    EXPECT_EQ(ovix::ServiceTypeText(0x110), "WIN32_OWN_PROCESS (INTERACTIVE_PROCESS)");
    EXPECT_EQ(ovix::ServiceTypeText(0x120), "WIN32_SHARE_PROCESS (INTERACTIVE_PROCESS)");
    EXPECT_EQ(ovix::ServiceTypeText(0x30), "WIN32_OWN_PROCESS");
    EXPECT_EQ(ovix::ServiceTypeText(0x100), "UNKNOWN");
    EXPECT_EQ(ovix::ServiceTypeText(2), "FILE_SYSTEM_DRIVER");
    EXPECT_EQ(ovix::ServiceTypeText(3), "UNKNOWN") << "1 and 2 by equality";
    EXPECT_EQ(ovix::ServiceTypeText(8), "UNKNOWN");
}

// A scripted series of answers; records the sizes asked for.
struct Script {
    std::vector<ovix::SizedCall> answers;
    std::vector<size_t> sizes;
    bool Run(size_t first) {
        return ovix::ReadGrowing(first, [this](size_t size) {
            sizes.push_back(size);
            return sizes.size() <= answers.size() ? answers[sizes.size() - 1] : ovix::SizedCall{};
        });
    }
};

TEST(ServiceTexts, GrowingReadsRetryOnlyOnTooSmall) {
    Script first{{{true, 0, 0}}, {}};
    EXPECT_TRUE(first.Run(44)) << "a first call's success is kept";
    Script grows{{{false, 234, 5204}, {false, 122, 0}, {false, 87, 0}, {true, 0, 0}}, {}};
    EXPECT_TRUE(grows.Run(1024));
    EXPECT_EQ(grows.sizes, (std::vector<size_t>{1024, 5204, 10408, 20816}));
    Script other{{{false, 5, 0}}, {}};
    EXPECT_FALSE(other.Run(1024));
    EXPECT_EQ(other.sizes.size(), 1u) << "access denied is not retried";
    Script endless{std::vector<ovix::SizedCall>(20, {false, 234, 0}), {}};
    EXPECT_FALSE(endless.Run(1));
    EXPECT_EQ(endless.sizes.size(), 6u);
}

}  // namespace
