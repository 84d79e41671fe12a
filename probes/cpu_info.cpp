#include "probes/cpu_info.h"

#include "framework/text_format.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ovix::cpu {
namespace {

constexpr uint32_t kExtendedBase = 0x80000000u;

bool Bit(uint32_t value, int bit) { return ((value >> bit) & 1u) != 0; }

int32_t Raised(int32_t current, int32_t size) { return std::max(current, size); }

// Sizes still undetermined are filled; known ones are kept.
void FillUndetermined(int32_t& field, int32_t value) {
    if (field < 0 && value >= 0) field = value;
}

struct Vendors {
    const char* text;
    CpuVendor vendor;
};
constexpr Vendors kVendors[] = {
    {"AuthenticAMD", CpuVendor::AMD},    {"AMD ISBETTER", CpuVendor::AMD},       {"GenuineIntel", CpuVendor::Intel},
    {"Geode By NSC", CpuVendor::NSC},    {"UMC UMC UMC ", CpuVendor::UMC},       {"CyrixInstead", CpuVendor::Cyrix},
    {"NexGenDriven", CpuVendor::NexGen}, {"CentaurHauls", CpuVendor::Centaur},   {"RiseRiseRise", CpuVendor::Rise},
    {"GenuineTMx86", CpuVendor::Transmeta}, {"TransmetaCPU", CpuVendor::Transmeta},
};

std::string RegisterText(uint32_t value) {
    std::string text(4, '\0');
    for (int i = 0; i < 4; ++i) text[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return text;
}

// Extended method: 0x80000005 for L1 (data + instruction), 0x80000006 for L2.
// A size of 0 counts as undetermined (Intel answers zeros from 0x80000005).
void ExtendedCaches(const CpuidSource& source, CpuInfo& info, uint32_t highest) {
    if (ExtendedFunctionUsable(info, highest, 0x80000005u)) {
        const CpuidRegs regs = source.Query(0x80000005u);
        const int32_t l1 = static_cast<int32_t>((regs.ecx >> 24) + (regs.edx >> 24));
        if (l1 > 0) info.l1CacheKb = l1;
    }
    if (ExtendedFunctionUsable(info, highest, 0x80000006u)) {
        const int32_t l2 = static_cast<int32_t>(source.Query(0x80000006u).ecx >> 16);
        if (l2 > 0) info.l2CacheKb = l2;
    }
}

// Leaf 4, the deterministic cache parameters: one sub-leaf per cache until
// the type is 0.
DescriptorSizes DeterministicCaches(const CpuidSource& source) {
    DescriptorSizes sizes;
    int32_t l1 = 0;
    bool haveL1 = false;
    // A real processor lists a handful; the bound keeps a broken answer finite.
    for (uint32_t subleaf = 0; subleaf < 64; ++subleaf) {
        const CpuidRegs regs = source.Query(4, subleaf);
        const uint32_t cacheType = regs.eax & 0x1F;
        if (cacheType == 0) break;
        const uint32_t level = (regs.eax >> 5) & 0x7;
        const uint64_t bytes = uint64_t{(regs.ebx >> 22) + 1} * (((regs.ebx >> 12) & 0x3FF) + 1) *
                               ((regs.ebx & 0xFFF) + 1) * (uint64_t{regs.ecx} + 1);
        const int32_t kb = static_cast<int32_t>(std::min<uint64_t>(bytes / 1024, INT32_MAX));
        if (level == 1) {
            l1 = static_cast<int32_t>(std::min<int64_t>(int64_t{l1} + kb, INT32_MAX));
            haveL1 = true;
        } else if (level == 2) {
            sizes.l2 = Raised(sizes.l2, kb);
        } else if (level == 3) {
            sizes.l3 = Raised(sizes.l3, kb);
        }
    }
    if (haveL1) sizes.l1Data = l1;
    return sizes;
}

// The descriptor bytes of every CPUID 2 call: as many calls as the low byte
// of the first EAX says, bytes 1-3 of EAX and all of EBX, ECX and EDX, low
// byte first; a register with bit 31 set carries none.
std::vector<uint8_t> DescriptorBytes(const CpuidSource& source) {
    std::vector<uint8_t> bytes;
    CpuidRegs regs = source.Query(2);
    const uint32_t calls = std::max<uint32_t>(1, regs.eax & 0xFF);
    for (uint32_t call = 0; call < calls; ++call) {
        if (call > 0) regs = source.Query(2);
        const uint32_t values[4] = {regs.eax, regs.ebx, regs.ecx, regs.edx};
        for (int r = 0; r < 4; ++r) {
            if (Bit(values[r], 31)) continue;
            for (int byte = (r == 0 ? 1 : 0); byte < 4; ++byte) {
                bytes.push_back(static_cast<uint8_t>(values[r] >> (8 * byte)));
            }
        }
    }
    return bytes;
}

// Descriptor method (CPUID 2), filling only the sizes still undetermined.
// Descriptor 0xFF, wherever it stands, says the sizes are in leaf 4; the
// other bytes of such a processor are mostly ones the table lacks, so it is
// looked for before the walk. A walk that meets an unknown byte takes leaf 4
// too where it exists (the processors that have it describe their caches
// there as well); without it the sizes stay undetermined.
void DescriptorCaches(const CpuidSource& source, CpuInfo& info, uint32_t highestBasic) {
    if (highestBasic < 2) return;
    const std::vector<uint8_t> descriptors = DescriptorBytes(source);
    DescriptorSizes sizes;
    bool walked = std::find(descriptors.begin(), descriptors.end(), uint8_t{0xFF}) == descriptors.end();
    for (size_t i = 0; walked && i < descriptors.size(); ++i) walked = ApplyDescriptor(descriptors[i], sizes);
    if (!walked) {
        if (highestBasic < 4) return;
        sizes = DeterministicCaches(source);
    }
    int32_t l1 = -1;
    if (sizes.l1Instruction >= 0 && sizes.l1Data >= 0) {
        l1 = sizes.l1Instruction + sizes.l1Data;
    } else if (sizes.l1Instruction >= 0) {
        l1 = sizes.l1Instruction;
    } else if (sizes.l1Data >= 0) {
        l1 = sizes.l1Data;
    } else {
        l1 = sizes.trace;
    }
    FillUndetermined(info.l1CacheKb, l1);
    FillUndetermined(info.l2CacheKb, sizes.l2);
    FillUndetermined(info.l3CacheKb, sizes.l3);
}

}  // namespace

FreshClock::FreshClock(CpuClock& inner, std::function<uint32_t()> nowMs, uint32_t maxAgeMs)
    : inner_(inner), nowMs_(std::move(nowMs)), maxAgeMs_(maxAgeMs) {}

bool FreshClock::Fresh(const Kept& kept, uint32_t now) const {
    // Unsigned difference: right across a wrap of the tick count.
    return kept.have && now - kept.at <= maxAgeMs_;
}

void FreshClock::Keep(Kept& kept, uint32_t value, uint32_t at) {
    kept.value = value;
    kept.at = at;
    // A failed measurement is not kept: the next detection tries again.
    kept.have = value != 0;
}

uint32_t FreshClock::TscMhz() {
    if (!Fresh(tsc_, nowMs_())) Keep(tsc_, inner_.TscMhz(), nowMs_());
    return tsc_.value;
}

uint32_t FreshClock::LegacyMhz(uint32_t family) {
    if (legacyFamily_ != family || !Fresh(legacy_, nowMs_())) {
        Keep(legacy_, inner_.LegacyMhz(family), nowMs_());
        legacyFamily_ = family;
    }
    return legacy_.value;
}

uint32_t FreshClock::BusMhz() {
    if (!Fresh(bus_, nowMs_())) Keep(bus_, inner_.BusMhz(), nowMs_());
    return bus_.value;
}

CpuVendor VendorOf(std::string_view vendorString) {
    for (const Vendors& entry : kVendors) {
        if (vendorString == entry.text) return entry.vendor;
    }
    return CpuVendor::Other;
}

bool ExtendedFunctionsAllowed(const CpuInfo& info, uint32_t highestExtended) {
    const uint32_t family = info.family;
    const uint32_t model = info.model;
    switch (info.vendor) {
    case CpuVendor::AMD:
        return family > 5 || (family == 5 && model >= 6);
    case CpuVendor::Cyrix:
        return family > 6 || (family == 5 && model >= 4) || (family == 6 && model >= 5);
    case CpuVendor::Centaur:
        return family > 5 || (family == 5 && model >= 8);
    case CpuVendor::Transmeta:
        return family >= 5;
    case CpuVendor::Intel:
        if (family == 15) return true;
        // Below family 15 only a processor that answers a real range: older
        // ones answer 0x80000000 with the data of another function.
        return family < 15 && highestExtended >= 0x80000004u && highestExtended <= 0x800000FFu;
    default:
        return true;
    }
}

bool ExtendedFunctionUsable(const CpuInfo& info, uint32_t highestExtended, uint32_t function) {
    if (!ExtendedFunctionsAllowed(info, highestExtended)) return false;
    return (function & ~kExtendedBase) <= (highestExtended & ~kExtendedBase);
}

bool ApplyDescriptor(uint8_t descriptor, DescriptorSizes& s) {
    switch (descriptor) {
    case 0x00:
        return true;
    case 0x06: s.l1Instruction = Raised(s.l1Instruction, 8); return true;
    case 0x08: case 0x15: case 0x77: s.l1Instruction = Raised(s.l1Instruction, 16); return true;
    case 0x0A: case 0x66: s.l1Data = Raised(s.l1Data, 8); return true;
    case 0x0C: case 0x10: case 0x67: s.l1Data = Raised(s.l1Data, 16); return true;
    case 0x68: s.l1Data = Raised(s.l1Data, 32); return true;
    case 0x70: s.trace = Raised(s.trace, 12); return true;
    case 0x71: s.trace = Raised(s.trace, 16); return true;
    case 0x72: s.trace = Raised(s.trace, 32); return true;
    case 0x1A: s.l2 = Raised(s.l2, 96); return true;
    case 0x39: case 0x41: case 0x79: case 0x81: s.l2 = Raised(s.l2, 128); return true;
    case 0x3C: case 0x42: case 0x7A: case 0x7E: case 0x82: s.l2 = Raised(s.l2, 256); return true;
    case 0x43: case 0x7B: case 0x83: s.l2 = Raised(s.l2, 512); return true;
    case 0x44: case 0x7C: case 0x84: s.l2 = Raised(s.l2, 1024); return true;
    case 0x45: case 0x85: s.l2 = Raised(s.l2, 2048); return true;
    case 0x40: if (s.l2 < 0) s.l2 = 0; return true;
    case 0x22: s.l3 = Raised(s.l3, 512); return true;
    case 0x23: s.l3 = Raised(s.l3, 1024); return true;
    case 0x25: case 0x88: s.l3 = Raised(s.l3, 2048); return true;
    case 0x29: case 0x89: s.l3 = Raised(s.l3, 4096); return true;
    case 0x8A: s.l3 = Raised(s.l3, 8192); return true;
    case 0x8D: s.l3 = Raised(s.l3, 3072); return true;
    // Translation buffers: known, no cache size.
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x50: case 0x51: case 0x52: case 0x5B: case 0x5C:
    case 0x5D: case 0x90: case 0x96: case 0x9B:
        return true;
    default:
        return false;
    }
}

std::string BrandString(const CpuidRegs (&regs)[3], bool intel) {
    char bytes[48];
    for (int i = 0; i < 3; ++i) {
        const uint32_t values[4] = {regs[i].eax, regs[i].ebx, regs[i].ecx, regs[i].edx};
        for (int r = 0; r < 4; ++r) {
            for (int b = 0; b < 4; ++b) bytes[16 * i + 4 * r + b] = static_cast<char>((values[r] >> (8 * b)) & 0xFF);
        }
    }
    std::string_view text(bytes, sizeof(bytes));
    if (intel) {
        const size_t first = text.find_first_not_of(std::string_view(" \0", 2));
        text.remove_prefix(first == std::string_view::npos ? text.size() : first);
    }
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    return std::string(text);
}

std::string TableName(const CpuInfo& info) {
    const uint32_t f = info.family;
    const uint32_t m = info.model;
    switch (info.vendor) {
    case CpuVendor::AMD:
        if (f == 4) {
            switch (m) {
            case 3: return "80486DX2";
            case 7: return "80486DX2 WriteBack";
            case 8: return "80486DX4";
            case 9: return "80486DX4 WriteBack";
            case 14: return "5x86";
            case 15: return "5x86WB";
            default: return "Unknown 80486 family";
            }
        }
        if (f == 5) {
            switch (m) {
            case 0: return "SSA5 (PR75, PR90, PR100)";
            case 1: return "5k86 (PR120, PR133)";
            case 2: return "5k86 (PR166)";
            case 3: return "5k86 (PR200)";
            case 6: return "K6 (0.30 \xB5m)";
            case 7: return "K6 (0.25 \xB5m)";
            case 8: return "K6-2";
            case 9: return "K6-III";
            case 13: return "K6-2+ or K6-III+ (0.18 \xB5m)";
            default: return "Unknown 80586 family";
            }
        }
        if (f == 6) {
            switch (m) {
            case 1: return "Athlon\x99 (0.25 \xB5m)";
            case 2: return "Athlon\x99 (0.18 \xB5m)";
            case 3: return "Duron\x99 (SF core)";
            case 4: return "Athlon\x99 (Thunderbird core)";
            case 6: return "Athlon\x99 (Palomino core)";
            case 7: return "Duron\x99 (Morgan core)";
            case 8: return info.isMpCapable ? "Athlon\x99 MP (Thoroughbred core)" : "Athlon\x99 XP (Thoroughbred core)";
            default: return "Unknown K7 family";
            }
        }
        return "Unknown AMD family";
    case CpuVendor::Intel:
        switch (f) {
        case 3:
            return "Newer i80386 family";
        case 4:
            switch (m) {
            case 0: return "i80486DX-25/33";
            case 1: return "i80486DX-50";
            case 2: return "i80486SX";
            case 3: return "i80486DX2";
            case 4: return "i80486SL";
            case 5: return "i80486SX2";
            case 7: return "i80486DX2 WriteBack";
            case 8: return "i80486DX4";
            case 9: return "i80486DX4 WriteBack";
            default: return "Unknown 80486 family";
            }
        case 5:
            switch (m) {
            case 0: return "P5 A-Step";
            case 1: return "P5";
            case 2: case 7: return "P54C";
            case 3: return "P24T OverDrive";
            case 4: return "P55C";
            case 8: return "P55C (0.25\xB5m)";
            default: return "Unknown Pentium\xAE family";
            }
        case 6:
            switch (m) {
            case 0: return "P6 A-Step";
            case 1: return "P6";
            case 3: return "Pentium\xAE II (0.28 \xB5m)";
            case 5: return "Pentium\xAE II (0.25 \xB5m)";
            case 6: return "Pentium\xAE II With On-Die L2 Cache";
            case 7: return "Pentium\xAE III (0.25 \xB5m)";
            case 8: return "Pentium\xAE III (0.18 \xB5m) With 256 KB On-Die L2 Cache ";
            case 10: return "Pentium\xAE III (0.18 \xB5m) With 1 Or 2 MB On-Die L2 Cache ";
            case 11: return "Pentium\xAE III (0.13 \xB5m) With 256 Or 512 KB On-Die L2 Cache ";
            default: return "Unknown P6 family";
            }
        case 7:
            return "Intel Merced (IA-64)";
        case 15:
            if (info.extFamily == 1) return "Intel McKinley (IA-64)";
            if (info.extFamily >= 2) return info.name;
            switch (m) {
            case 0: case 1: return "Pentium\xAE IV (0.18 \xB5m)";
            case 2: return "Pentium\xAE IV (0.13 \xB5m)";
            default: return "Unknown Pentium 4 family";
            }
        default:
            return "Unknown Intel family";
        }
    case CpuVendor::NSC:
        return "Cx486SLC \\ DLC \\ Cx486S A-Step";
    case CpuVendor::UMC:
        if (f == 4 && m == 1) return "U5D";
        if (f == 4 && m == 2) return "U5S";
        return "Unknown UMC family";
    case CpuVendor::Cyrix:
        if (f == 4) {
            if (m == 4) return "MediaGX GX, GXm";
            if (m == 9) return "5x86";
            return "Unknown Cx5x86 family";
        }
        if (f == 5) {
            if (m == 2) return "Cx6x86";
            if (m == 4) return "MediaGX GXm";
            return "Unknown Cx6x86 family";
        }
        if (f == 6) {
            switch (m) {
            case 0: return "6x86MX";
            case 5: return "Cyrix M2 Core";
            case 6: return "WinChip C5A Core";
            case 7: return "WinChip C5B\\C5C Core";
            case 8: return "WinChip C5C-T Core";
            default: return "Unknown 6x86MX\\Cyrix III family";
            }
        }
        return "Unknown Cyrix family";
    case CpuVendor::NexGen:
        if (f == 5 && m == 0) return "Nx586 or Nx586FPU";
        return "Unknown NexGen family";
    case CpuVendor::Centaur:
        if (f == 5 && m == 4) return "C6";
        if (f == 5 && m == 8) return "C2";
        if (f == 5 && m == 9) return "C3";
        if (f == 6 && m == 6) return "VIA Cyrix III - Samuel";
        return "Unknown IDT\\Centaur family";
    case CpuVendor::Rise:
        if (f == 5 && m == 0) return "mP6 (0.25 \xB5m)";
        if (f == 5 && m == 2) return "mP6 (0.18 \xB5m)";
        return "Unknown Rise family";
    case CpuVendor::Transmeta:
        if (f == 5) return m == 4 ? "Crusoe TM3x00 and TM5x00" : "Unknown Crusoe family";
        return "Unknown Transmeta family";
    default:
        return "Unknown family";
    }
}

std::string SerialNumberText(uint32_t signature, uint32_t edx3, uint32_t ecx3) {
    const uint32_t words[3] = {signature, edx3, ecx3};
    uint8_t b[12];
    for (int w = 0; w < 3; ++w) {
        for (int i = 0; i < 4; ++i) b[4 * w + i] = static_cast<uint8_t>(words[w] >> (24 - 8 * i));
    }
    return fw::Format("%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x-%.2x%.2x", b[0], b[1], b[2], b[3], b[4], b[5],
                      b[6], b[7], b[8], b[9], b[10], b[11]);
}

uint32_t TscClockMhz(uint64_t ticksA, uint64_t ticksB) {
    if (ticksB >= ticksA) return 0;
    return static_cast<uint32_t>(std::min<uint64_t>((ticksA - ticksB) / 50 / 1000, UINT32_MAX));
}

uint32_t LegacyClockMhz(uint32_t family, int64_t elapsedCounts, int64_t countsPerSecond) {
    double constant = 0;
    switch (family) {
    case 3: constant = 1150000000.0; break;
    case 4: constant = 470000000.0; break;
    case 5: constant = 430000000.0; break;
    default: return 0;
    }
    if (elapsedCounts <= 0 || countsPerSecond <= 0) return 0;
    const double seconds = static_cast<double>(elapsedCounts) / static_cast<double>(countsPerSecond);
    const double mhz = constant / seconds / 1048576.0;
    return mhz >= 4294967295.0 ? UINT32_MAX : static_cast<uint32_t>(mhz);
}

void CpuInfo::Detect(const CpuidSource& source, CpuClock& clock) {
    *this = CpuInfo{};
    if (!source.Supported()) return;

    const CpuidRegs leaf0 = source.Query(0);
    const uint32_t highestBasic = leaf0.eax;
    vendorString = RegisterText(leaf0.ebx) + RegisterText(leaf0.edx) + RegisterText(leaf0.ecx);
    vendor = VendorOf(vendorString);
    const bool intel = vendor == CpuVendor::Intel;

    CpuidRegs leaf1;
    if (highestBasic >= 1) leaf1 = source.Query(1);
    const uint32_t signature = leaf1.eax;
    type = (signature >> 12) & 0xF;
    family = (signature >> 8) & 0xF;
    model = (signature >> 4) & 0xF;
    stepping = signature & 0xF;
    extFamily = (signature >> 20) & 0xFF;
    extModel = (signature >> 16) & 0xF;

    const uint32_t edx = leaf1.edx;
    hasFpu = Bit(edx, 0);
    hasTsc = Bit(edx, 4);
    hasMmx = Bit(edx, 23);
    hasSse = Bit(edx, 25);
    hasSseFp = hasSse;
    hasSse2 = Bit(edx, 26);
    hasIa64 = Bit(edx, 30);
    hasApic = Bit(edx, 9);
    hasCmov = Bit(edx, 15);
    hasMtrr = Bit(edx, 12);
    hasAcpi = Bit(edx, 22);
    hasSerialNumber = Bit(edx, 18);
    hasThermalMonitor = Bit(edx, 29);
    if (intel) {
        hasHyperThreading = Bit(edx, 28);
        logicalProcessors = hasHyperThreading ? (leaf1.ebx >> 16) & 0xFF : 1;
        if (hasHyperThreading && hasApic) apicId = leaf1.ebx >> 24;
    }

    if (hasTsc) clockMhz = clock.TscMhz();
    if (clockMhz == 0) legacyClockMhz = clock.LegacyMhz(family);
    busMhz = clock.BusMhz();

    // Asked only when the vendor and model allow it: some older processors
    // answer it with the data of another function.
    uint32_t highestExtended = 0;
    if (ExtendedFunctionsAllowed(*this, 0x80000004u)) highestExtended = source.Query(kExtendedBase).eax;
    if (!ExtendedFunctionsAllowed(*this, highestExtended)) highestExtended = 0;

    ExtendedCaches(source, *this, highestExtended);
    if (l1CacheKb < 0 || l2CacheKb < 0) DescriptorCaches(source, *this, highestBasic);

    // Before the name, so that the name table can tell an MP-capable Athlon.
    if (!intel && ExtendedFunctionUsable(*this, highestExtended, 0x80000001u)) {
        const uint32_t ext = source.Query(0x80000001u).edx;
        has3DNow = Bit(ext, 31);
        has3DNowExt = Bit(ext, 30);
        hasSseMmx = Bit(ext, 22);
        isMpCapable = Bit(ext, 19);
        if (vendor == CpuVendor::AMD) hasMmxExt = Bit(ext, 22);
        if (vendor == CpuVendor::Cyrix) hasMmxExt = Bit(ext, 24);
    }

    bool branded = false;
    if (ExtendedFunctionUsable(*this, highestExtended, 0x80000004u)) {
        const CpuidRegs brand[3] = {source.Query(0x80000002u), source.Query(0x80000003u), source.Query(0x80000004u)};
        name = BrandString(brand, intel);
        // An empty or blank answer says nothing: the table names the processor.
        branded = name.find_first_not_of(' ') != std::string::npos;
    }
    if (!branded) name = TableName(*this);

    if (hasSerialNumber && highestBasic >= 3) {
        const CpuidRegs leaf3 = source.Query(3);
        serialNumber = SerialNumberText(signature, leaf3.edx, leaf3.ecx);
    }
}

bool CpuInfo::HasFeature(uint32_t mask) const {
    const struct {
        uint32_t bit;
        bool present;
    } flags[] = {
        {feature::kMmx, hasMmx},
        {feature::kMmxExt, hasMmxExt},
        {feature::kSse, hasSse},
        {feature::kSse2, hasSse2},
        {feature::k3DNow, has3DNow},
        {feature::k3DNowExt, has3DNowExt},
        {feature::kIa64, hasIa64},
        {feature::kMpCapable, isMpCapable},
        {feature::kHyperThreading, hasHyperThreading},
        {feature::kSerialNumber, hasSerialNumber},
        {feature::kApic, hasApic},
        {feature::kSseFp, hasSseFp},
        {feature::kSseMmx, hasSseMmx},
        {feature::kCmov, hasCmov},
        {feature::kMtrr, hasMtrr},
        {feature::kL1Cache, l1CacheKb != -1},
        {feature::kL2Cache, l2CacheKb != -1},
        {feature::kL3Cache, l3CacheKb != -1},
        {feature::kAcpi, hasAcpi},
        {feature::kThermalMonitor, hasThermalMonitor},
        {feature::kTempDiode, hasTempDiode},
        {feature::kFrequencyId, hasFrequencyId},
        {feature::kVoltageId, hasVoltageId},
    };
    for (const auto& flag : flags) {
        if ((mask & flag.bit) && flag.present) return true;
    }
    return false;
}

}  // namespace ovix::cpu
