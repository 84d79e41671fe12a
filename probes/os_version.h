// The program-wide copy of the operating-system version record.
#pragma once

#include "framework/win.h"

namespace ovix {

struct OsVersionRecord {
    bool read = false;
    bool extended = false;  // the service-pack, suite and product-type fields are valid
    OSVERSIONINFOEXA info{};
};

const OsVersionRecord& OsVersion();

// Reads the record: the plain structure first and, on NT 5 or later, the
// extended one. A failed read leaves it cleared.
void ReadOsVersion();

// Replaces the record, as a test does to play another system.
void SetOsVersion(const OsVersionRecord& record);

// The classification of the record read last (see version_code.h).
int WindowsVersionCode();

}  // namespace ovix
