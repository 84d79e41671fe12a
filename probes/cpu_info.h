// Processor identification: everything decoded from the CPUID register values
// alone, behind a source that answers one function and sub-leaf at a time, so
// the decoder runs natively on register dumps as well as on the real
// instruction (probes/cpu_probe.h). The clock steps go through an interface too.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ovix::cpu {

struct CpuidRegs {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// The CPUID instruction, or a dump of its answers.
class CpuidSource {
public:
    virtual ~CpuidSource() = default;
    // False when the processor has no CPUID instruction.
    virtual bool Supported() const = 0;
    virtual CpuidRegs Query(uint32_t function, uint32_t subleaf = 0) const = 0;
};

// The clock measurements of detection.
class CpuClock {
public:
    virtual ~CpuClock() = default;
    // MHz from the time-stamp counter over 50 ms; 0 when it cannot be measured.
    virtual uint32_t TscMhz() = 0;
    // The estimate for processors without a time-stamp counter; 0 for
    // families without one.
    virtual uint32_t LegacyMhz(uint32_t family) = 0;
    // The external (bus) clock the system reports; 0 when it reports none.
    virtual uint32_t BusMhz() = 0;
};

// A clock that measures through another one and hands out the same result
// again while it is younger than maxAgeMs: detection runs when the main window
// is created and again before the tree is built, a few seconds apart, and one
// 50 ms busy wait (and one query of the bus clock) per start-up is enough.
// nowMs is a millisecond tick that may wrap (GetTickCount). A result of 0 is
// not kept: the next detection asks again.
class FreshClock : public CpuClock {
public:
    FreshClock(CpuClock& inner, std::function<uint32_t()> nowMs, uint32_t maxAgeMs);
    uint32_t TscMhz() override;
    uint32_t LegacyMhz(uint32_t family) override;
    uint32_t BusMhz() override;

private:
    // One remembered result and when it was taken.
    struct Kept {
        bool have = false;
        uint32_t at = 0;
        uint32_t value = 0;
    };
    bool Fresh(const Kept& kept, uint32_t now) const;
    static void Keep(Kept& kept, uint32_t value, uint32_t at);

    CpuClock& inner_;
    std::function<uint32_t()> nowMs_;
    uint32_t maxAgeMs_;
    Kept tsc_;
    Kept legacy_;
    uint32_t legacyFamily_ = 0;
    Kept bus_;
};

enum class CpuVendor { AMD = 0, Intel = 1, NSC = 2, UMC = 3, Cyrix = 4, NexGen = 5, Centaur = 6, Rise = 7, Transmeta = 8, Other = 9 };

// The vendor of a 12-character vendor string (exact bytes).
CpuVendor VendorOf(std::string_view vendorString);

// Masks of CpuInfo::HasFeature.
namespace feature {
inline constexpr uint32_t kMmx = 0x1;
inline constexpr uint32_t kMmxExt = 0x2;
inline constexpr uint32_t kSse = 0x4;
inline constexpr uint32_t kSse2 = 0x8;
inline constexpr uint32_t k3DNow = 0x10;
inline constexpr uint32_t k3DNowExt = 0x20;
inline constexpr uint32_t kIa64 = 0x40;
inline constexpr uint32_t kMpCapable = 0x80;
inline constexpr uint32_t kHyperThreading = 0x100;
inline constexpr uint32_t kSerialNumber = 0x200;
inline constexpr uint32_t kApic = 0x400;
inline constexpr uint32_t kSseFp = 0x800;
inline constexpr uint32_t kSseMmx = 0x1000;
inline constexpr uint32_t kCmov = 0x2000;
inline constexpr uint32_t kMtrr = 0x4000;
inline constexpr uint32_t kL1Cache = 0x8000;
inline constexpr uint32_t kL2Cache = 0x10000;
inline constexpr uint32_t kL3Cache = 0x20000;
inline constexpr uint32_t kAcpi = 0x40000;
inline constexpr uint32_t kThermalMonitor = 0x80000;
inline constexpr uint32_t kTempDiode = 0x100000;
inline constexpr uint32_t kFrequencyId = 0x200000;
inline constexpr uint32_t kVoltageId = 0x400000;
}  // namespace feature

struct CpuInfo {
    CpuVendor vendor = CpuVendor::Other;
    bool hasFpu = false;
    bool hasTsc = false;
    bool hasMmx = false;
    bool hasSse = false;
    bool hasSseFp = false;
    bool hasSse2 = false;
    bool hasIa64 = false;
    bool hasApic = false;
    bool hasCmov = false;
    bool hasMtrr = false;
    bool hasAcpi = false;
    bool hasSerialNumber = false;
    bool hasThermalMonitor = false;
    uint32_t legacyClockMhz = 0;
    int32_t l1CacheKb = -1;
    int32_t l2CacheKb = -1;
    int32_t l3CacheKb = -1;
    bool has3DNow = false;
    bool has3DNowExt = false;
    bool isMpCapable = false;
    bool hasMmxExt = false;
    bool hasSseMmx = false;
    bool hasHyperThreading = false;
    uint32_t logicalProcessors = 0;
    uint32_t apicId = 0;
    bool hasVoltageId = false;
    bool hasFrequencyId = false;
    bool hasTempDiode = false;
    uint32_t clockMhz = 0;
    // The external clock the system reports (the multiplier's divisor), 0 when
    // unknown; taken at detection with the processor clock.
    uint32_t busMhz = 0;
    uint32_t type = 0;
    uint32_t family = 0;
    uint32_t model = 0;
    uint32_t stepping = 0;
    uint32_t extFamily = 0;
    uint32_t extModel = 0;
    // The brand string is cut at 48 bytes; a table name is kept whole.
    std::string name;
    std::string vendorString;
    std::string serialNumber;

    // Starts from the initial values and runs the whole detection.
    void Detect(const CpuidSource& source, CpuClock& clock);

    // True when any feature named by a set bit of mask is present.
    bool HasFeature(uint32_t mask) const;
};

// --- The steps of detection, apart for the tests ------------------------------

// Whether function 0x8000000n may be asked at all, by vendor, family and model
// (and, for Intel below family 15, by the answer of 0x80000000).
bool ExtendedFunctionsAllowed(const CpuInfo& info, uint32_t highestExtended);
// Whether the extended function may be used, given the highest one reported.
bool ExtendedFunctionUsable(const CpuInfo& info, uint32_t highestExtended, uint32_t function);

// The effect of one CPUID 2 descriptor byte on the sizes being gathered.
struct DescriptorSizes {
    int32_t l1Instruction = -1;
    int32_t l1Data = -1;
    int32_t trace = -1;
    int32_t l2 = -1;
    int32_t l3 = -1;
};
// False for a byte that is not in the table.
bool ApplyDescriptor(uint8_t descriptor, DescriptorSizes& sizes);

// The 48 bytes of functions 0x80000002 to 0x80000004, cut at the first NUL;
// for Intel the leading blanks and NULs are removed first.
std::string BrandString(const CpuidRegs (&regs)[3], bool intel);

// The name by vendor, family and model, with its "Unknown" fallbacks.
std::string TableName(const CpuInfo& info);

// "%.2x%.2x-..." from CPUID 1 EAX, CPUID 3 EDX and ECX.
std::string SerialNumberText(uint32_t signature, uint32_t edx3, uint32_t ecx3);

// (ticks of a - ticks of b) / 50 / 1000; 0 when b is not below a.
uint32_t TscClockMhz(uint64_t ticksA, uint64_t ticksB);
// The legacy estimate from the counts of the timed loop; 0 for a family
// without a constant or when no time could be measured.
uint32_t LegacyClockMhz(uint32_t family, int64_t elapsedCounts, int64_t countsPerSecond);

}  // namespace ovix::cpu
