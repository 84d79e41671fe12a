#include "probes/cpu_probe.h"

#include "framework/win.h"
#include "probes/wmi_class_cache.h"
#include "probes/wmi_probes.h"

#include <winperf.h>

#include <cpuid.h>
#include <cstddef>
#include <x86intrin.h>

namespace ovix::cpu {
namespace {

// The performance-data parser reads the records by offset: they are the system's.
namespace layout = perf_layout;
static_assert(offsetof(PERF_DATA_BLOCK, TotalByteLength) == layout::block::kTotalByteLength);
static_assert(offsetof(PERF_DATA_BLOCK, HeaderLength) == layout::block::kHeaderLength);
static_assert(offsetof(PERF_DATA_BLOCK, NumObjectTypes) == layout::block::kNumObjectTypes);
static_assert(offsetof(PERF_DATA_BLOCK, PerfTime100nSec) == layout::block::kPerfTime100nSec);
static_assert(offsetof(PERF_OBJECT_TYPE, DefinitionLength) == layout::object::kDefinitionLength);
static_assert(offsetof(PERF_OBJECT_TYPE, HeaderLength) == layout::object::kHeaderLength);
static_assert(offsetof(PERF_OBJECT_TYPE, ObjectNameTitleIndex) == layout::object::kNameTitleIndex);
static_assert(offsetof(PERF_OBJECT_TYPE, NumCounters) == layout::object::kNumCounters);
static_assert(offsetof(PERF_OBJECT_TYPE, NumInstances) == layout::object::kNumInstances);
static_assert(sizeof(PERF_OBJECT_TYPE) == layout::object::kSize);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterNameTitleIndex) == layout::counter::kNameTitleIndex);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterSize) == layout::counter::kCounterSize);
static_assert(offsetof(PERF_COUNTER_DEFINITION, CounterOffset) == layout::counter::kCounterOffset);
static_assert(sizeof(PERF_COUNTER_DEFINITION) == layout::counter::kSize);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameOffset) == layout::instance::kNameOffset);
static_assert(offsetof(PERF_INSTANCE_DEFINITION, NameLength) == layout::instance::kNameLength);
static_assert(sizeof(PERF_INSTANCE_DEFINITION) == layout::instance::kSize);

// One run of the clock measurement: time-stamp ticks around a busy wait of
// the given number of performance-counter counts (0: leaves at once).
uint64_t TimedRun(LONGLONG counts) {
    LARGE_INTEGER start{}, now{};
    const uint64_t before = __rdtsc();
    ::QueryPerformanceCounter(&start);
    do {
        ::QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < counts);
    return __rdtsc() - before;
}

}  // namespace

bool IsCpuidSupported() {
#if defined(__x86_64__)
    return true;
#elif defined(__i386__)
    // The ID bit (21) of EFLAGS can be changed only where CPUID exists.
    unsigned changed = 0;
    __asm__ volatile(
        "pushfl\n\t"
        "popl %%eax\n\t"
        "movl %%eax, %%ecx\n\t"
        "xorl $0x200000, %%eax\n\t"
        "pushl %%eax\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %%eax\n\t"
        "pushl %%ecx\n\t"
        "popfl\n\t"
        "xorl %%ecx, %%eax\n\t"
        "andl $0x200000, %%eax"
        : "=a"(changed)
        :
        : "ecx", "cc");
    return changed != 0;
#else
    return false;
#endif
}

bool InstructionSource::Supported() const { return IsCpuidSupported(); }

CpuidRegs InstructionSource::Query(uint32_t function, uint32_t subleaf) const {
    CpuidRegs regs;
    if (!IsCpuidSupported()) return regs;
    unsigned a = 0, b = 0, c = 0, d = 0;
    __cpuid_count(function, subleaf, a, b, c, d);
    regs.eax = a;
    regs.ebx = b;
    regs.ecx = c;
    regs.edx = d;
    return regs;
}

uint32_t CounterClock::TscMhz() {
    LARGE_INTEGER frequency{};
    if (!::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    const uint64_t busy = TimedRun(50 * frequency.QuadPart / 1000);
    const uint64_t overhead = TimedRun(0);
    return TscClockMhz(busy, overhead);
}

uint32_t CounterClock::LegacyMhz(uint32_t family) { return MeasureLegacyMhz(family); }

uint32_t CounterClock::BusMhz() {
    // Within a build's class reads the processor's row is read once for all.
    wmi::ServiceRowSource service;
    wmi::RowSource* scoped = wmi::ClassReadScope::Current();
    wmi::RowSource& rows = rows_ ? *rows_ : scoped ? *scoped : service;
    const std::vector<wmi::Value> values = rows.Read("Win32_Processor", "ExtClock", true);
    // A 32-bit count, whichever integer type the service gives it.
    if (values.empty() || values.front().type != wmi::Value::Type::Integer) return 0;
    return static_cast<uint32_t>(values.front().integer);
}

uint32_t MeasureLegacyMhz(uint32_t family) {
    if (family < 3 || family > 5) return 0;  // no constant: no need to spend the time
    LARGE_INTEGER frequency{}, start{}, end{};
    if (!::QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 0;
    uintptr_t count = 10000000;
    uintptr_t value = 0x80000000u;
    uintptr_t bit = 0;
    ::QueryPerformanceCounter(&start);
    __asm__ volatile(
        "1:\n\t"
        "bsf %[value], %[bit]\n\t"
        "dec %[count]\n\t"
        "jnz 1b"
        : [count] "+r"(count), [bit] "=&r"(bit)
        : [value] "r"(value)
        : "cc");
    ::QueryPerformanceCounter(&end);
    return LegacyClockMhz(family, end.QuadPart - start.QuadPart, frequency.QuadPart);
}

CpuProbe::CpuProbe(wmi::RowSource* processorRows)
    : counter_(processorRows), clock_(counter_, [] { return static_cast<uint32_t>(::GetTickCount()); }, kFreshMs) {}

const CpuInfo& CpuProbe::Detect() {
    info_.Detect(source_, clock_);
    return info_;
}

UsageSource::System SystemUsageSource::Classify() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!::GetVersionExA(&version)) return System::None;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return System::None;
    return version.dwMajorVersion >= 5 ? System::Nt5 : System::Nt4;
}

bool SystemUsageSource::ReadPerformanceData(std::vector<uint8_t>& block) {
    using Answer = PerformanceDataReader::Answer;
    const bool read = reader_.Read(
        [](uint8_t* data, uint32_t& size) {
            DWORD type = 0;
            DWORD length = size;
            const LONG status = ::RegQueryValueExA(HKEY_PERFORMANCE_DATA, "Global", nullptr, &type, data, &length);
            size = length;
            if (status == ERROR_SUCCESS) return Answer::Done;
            return status == ERROR_MORE_DATA ? Answer::MoreData : Answer::Failed;
        },
        block);
    ::RegCloseKey(HKEY_PERFORMANCE_DATA);
    return read;
}

bool SystemUsageSource::SystemTimes(uint64_t& idle, uint64_t& kernel, uint64_t& user) {
    using GetSystemTimesFn = BOOL(WINAPI*)(FILETIME*, FILETIME*, FILETIME*);
    const auto getSystemTimes = reinterpret_cast<GetSystemTimesFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetSystemTimes")));
    if (!getSystemTimes) return false;
    FILETIME idleTime{}, kernelTime{}, userTime{};
    if (!getSystemTimes(&idleTime, &kernelTime, &userTime)) return false;
    const auto value = [](const FILETIME& time) {
        return (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    };
    idle = value(idleTime);
    kernel = value(kernelTime);
    user = value(userTime);
    return true;
}

UsageSource& SystemUsage() {
    static SystemUsageSource source;
    return source;
}

}  // namespace ovix::cpu
