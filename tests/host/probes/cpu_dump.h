// Register dumps of processors for the decoder tests: the answers of CPUID
// written from the processors' documented values, and a clock that counts
// how often it is asked.
#pragma once

#include "probes/cpu_info.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace test {

using ovix::cpu::CpuidRegs;

class DumpSource : public ovix::cpu::CpuidSource {
public:
    bool supported = true;

    bool Supported() const override { return supported; }

    CpuidRegs Query(uint32_t function, uint32_t subleaf = 0) const override {
        asked_.insert(function);
        const auto found = answers_.find({function, subleaf});
        if (found == answers_.end()) return unknown_;
        // A function with several answers (CPUID 2 repeated) gives them in turn.
        size_t& next = calls_[{function, subleaf}];
        const CpuidRegs regs = found->second[std::min(next, found->second.size() - 1)];
        ++next;
        return regs;
    }

    DumpSource& Set(uint32_t function, CpuidRegs regs, uint32_t subleaf = 0) {
        answers_[{function, subleaf}] = {regs};
        return *this;
    }
    DumpSource& SetSequence(uint32_t function, std::vector<CpuidRegs> regs) {
        answers_[{function, 0}] = std::move(regs);
        return *this;
    }
    // What functions absent from the dump answer (older Intel processors
    // answer with the data of their highest basic function).
    DumpSource& Unknown(CpuidRegs regs) {
        unknown_ = regs;
        return *this;
    }
    // CPUID 0: the highest basic function and the vendor string.
    DumpSource& Vendor(uint32_t highestBasic, const char (&vendor)[13]) {
        uint32_t words[3];
        std::memcpy(words, vendor, 12);
        return Set(0, {highestBasic, words[0], words[2], words[1]});
    }
    // 0x80000002..4 from a text of at most 48 bytes, padded with NULs.
    DumpSource& Brand(const std::string& text) {
        char bytes[48] = {};
        std::memcpy(bytes, text.data(), std::min<size_t>(text.size(), 48));
        for (uint32_t i = 0; i < 3; ++i) {
            uint32_t words[4];
            std::memcpy(words, bytes + 16 * i, 16);
            Set(0x80000002u + i, {words[0], words[1], words[2], words[3]});
        }
        return *this;
    }
    bool Asked(uint32_t function) const { return asked_.count(function) != 0; }
    void ForgetAsked() {
        asked_.clear();
        calls_.clear();
    }

private:
    std::map<std::pair<uint32_t, uint32_t>, std::vector<CpuidRegs>> answers_;
    CpuidRegs unknown_{};
    mutable std::set<uint32_t> asked_;
    mutable std::map<std::pair<uint32_t, uint32_t>, size_t> calls_;
};

class CountingClock : public ovix::cpu::CpuClock {
public:
    uint32_t tscMhz = 0;
    uint32_t legacyMhz = 0;
    int tscCalls = 0;
    int legacyCalls = 0;
    uint32_t lastFamily = 0;

    uint32_t TscMhz() override {
        ++tscCalls;
        return tscMhz;
    }
    uint32_t LegacyMhz(uint32_t family) override {
        ++legacyCalls;
        lastFamily = family;
        return legacyMhz;
    }
};

// "GenuineIntel" and "AuthenticAMD" as CPUID 0 gives them.
inline constexpr char kIntel[13] = "GenuineIntel";
inline constexpr char kAmd[13] = "AuthenticAMD";

}  // namespace test
