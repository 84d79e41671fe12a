// The names an e-mailed report may be written under, the recipients that
// count, and the message as the mail client receives it.
#include "report/mail_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace ovix;

TEST(MailRules, OnlyPlainNamesWithinThePathLimit) {
    const struct {
        std::string name;
        bool plain;
    } cases[] = {
        {"Ovix_report", true}, {"my report 2", true}, {"a.txt", true}, {"r\xe9sum\xe9", true},
        {"consul", true},      {"com10", true},       {"lpt0", true},  {"nul_", true},
        {"", false},           {"..", false},         {"a.", false},   {"a ", false},
        {"nul", false},        {"nul.x", false},      {"Con", false},  {"lpt9.log", false},
        {"CLOCK$", false},     {"conin$", false},     {"CONOUT$.txt", false}, {"aux .txt", false},
        {"PRN", false},        {"com1", false},       {std::string("a\x01") + "b", false}, {"a\x1f", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPlainReportName(c.name, 20), c.plain) << c.name;
    for (const char forbidden : std::string("\\/:*?\"<>|")) {
        EXPECT_FALSE(IsPlainReportName(std::string("a") + forbidden + "b", 20)) << forbidden;
    }
    // folder + "\" + name + ".txt": 259 characters at most.
    EXPECT_TRUE(IsPlainReportName(std::string(234, 'n'), 20));
    EXPECT_FALSE(IsPlainReportName(std::string(235, 'n'), 20));
}

TEST(MailRules, RecipientsThatCountAndTheMessageRecord) {
    EXPECT_EQ(EffectiveRecipient("  bob@example.net ", kSecondRecipientDefault), "bob@example.net");
    EXPECT_EQ(EffectiveRecipient(kSecondRecipientDefault, kSecondRecipientDefault), "");
    EXPECT_EQ(EffectiveRecipient(" someone@example.invalid\t", kRecipientPlaceholder), "");
    EXPECT_EQ(EffectiveRecipient(" \t ", kRecipientPlaceholder), "");
    EXPECT_EQ(EffectiveRecipient("Leave blank", kSecondRecipientDefault), "Leave blank");

    const MailRecord record = BuildMailRecord("Subject", "Hello", "alice", "", "C:\\t\\r.txt");
    EXPECT_EQ(record.note, "Hello ");
    EXPECT_EQ(record.attachmentPosition, 5u);
    EXPECT_EQ(record.recipients, std::vector<std::string>{"alice"});
    EXPECT_EQ(record.attachment, "C:\\t\\r.txt");
    EXPECT_EQ(BuildMailRecord("", "", "a", "b", "f").recipients, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(BuildMailRecord("", "", "a", "b", "f").attachmentPosition, 0u);
}

}  // namespace
