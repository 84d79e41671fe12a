// What the one-click optimiser changes, as data: twelve texts, the start type
// of 41 services, 28 numbers and three commands, in the order they are
// applied, with the log line that goes with each. Plain data, no system calls.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ovix {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

// "HKEY_CURRENT_USER" and its two sisters.
const char* HiveName(Hive hive);

// A REG_SZ value, written with its terminating NUL ("140" is four bytes).
struct TextChange {
    Hive hive;
    const char* key;
    const char* name;
    const char* data;
    const char* label;  // the log line without ": OK." / ": Failed."; null: none
};

// The REG_DWORD `Start` under SYSTEM\CurrentControlSet\Services\<service>.
struct ServiceChange {
    const char* service;
    uint32_t start;  // 3 manual, 4 disabled
};

// A REG_DWORD named by one full path: the last component is the value.
struct NumberChange {
    Hive hive;
    const char* fullPath;
    uint32_t data;
};

struct CommandChange {
    const char* commandLine;
    const char* label;
};

inline constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";

std::span<const TextChange> TextChanges();        // S1-S12
std::span<const ServiceChange> ServiceChanges();  // the 41 services
std::span<const NumberChange> NumberChanges();    // D1-D28; D1-D22 before the commands
inline constexpr size_t kNumbersBeforeCommands = 22;
std::span<const CommandChange> CommandChanges();  // the two unregistrations, then diskperf

// A library the optimiser unregisters, and the class whose in-process server
// names it while it is registered.
struct UnregisteredLibrary {
    const char* file;
    const char* classKey;  // under HKEY_CLASSES_ROOT
};
std::span<const UnregisteredLibrary> UnregisteredLibraries();

// "- Menu show Delay @ 140ms: OK." / "...: Failed.".
std::string ResultLine(const char* label, bool done);

}  // namespace ovix
