// The interface and address tables of the TCP/IP stack's SNMP extension agent,
// loaded at run time: the agent is not there on every system, and a missing
// one must only leave the speeds at 0.
#include "probes/system_info.h"

#include <snmp.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace ovix {
namespace {

using Oid = std::vector<UINT>;

// 1.3.6.1.2.1.2.2.1: the interface table's entry; 1.3.6.1.2.1.4.20.1.1 the address column.
const Oid kInterfaceEntry = {1, 3, 6, 1, 2, 1, 2, 2, 1};
constexpr UINT kIfType = 3;
constexpr UINT kIfSpeed = 5;
constexpr UINT kIfPhysAddress = 6;
const Oid kAddressColumn = {1, 3, 6, 1, 2, 1, 4, 20, 1, 1};
constexpr size_t kMaxAddresses = 100;
// A guard against an agent that does not advance.
constexpr int kMaxSteps = 4096;

using OidCpyFn = SNMPAPI(SNMP_FUNC_TYPE*)(AsnObjectIdentifier*, AsnObjectIdentifier*);
using VarBindFreeFn = VOID(SNMP_FUNC_TYPE*)(SnmpVarBind*);

bool StartsWith(const Oid& name, const Oid& prefix) {
    return name.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin());
}

class SnmpInterfaceSource : public InterfaceSource {
public:
    SnmpInterfaceSource() : agent_("inetmib1.dll") {
        if (!agent_) return;
        api_ = LoadedLibrary("snmpapi.dll");
        init_ = agent_.Find<PFNSNMPEXTENSIONINIT>("SnmpExtensionInit");
        initEx_ = agent_.Find<PFNSNMPEXTENSIONINITEX>("SnmpExtensionInitEx");
        query_ = agent_.Find<PFNSNMPEXTENSIONQUERY>("SnmpExtensionQuery");
        trap_ = agent_.Find<PFNSNMPEXTENSIONTRAP>("SnmpExtensionTrap");
        oidCpy_ = api_.Find<OidCpyFn>("SnmpUtilOidCpy");
        varBindFree_ = api_.Find<VarBindFreeFn>("SnmpUtilVarBindFree");
    }

    bool Read(std::vector<sysinfo::InterfaceRecord>& interfaces, std::vector<uint32_t>& addresses) override {
        interfaces.clear();
        addresses.clear();
        if (!Initialise()) return false;
        Walk(kAddressColumn, [&](const Oid&, const AsnAny& value) {
            if (value.asnType != ASN_IPADDRESS || value.asnValue.address.length != 4) return true;
            uint32_t address = 0;
            std::memcpy(&address, value.asnValue.address.stream, 4);
            addresses.push_back(address);
            return addresses.size() < kMaxAddresses;
        });

        // One record per interface, keyed by the table's index (the OID's last number).
        std::map<UINT, sysinfo::InterfaceRecord> byIndex;
        std::vector<UINT> order;
        auto record = [&](const Oid& name) -> sysinfo::InterfaceRecord& {
            const UINT index = name.back();
            auto [entry, inserted] = byIndex.try_emplace(index);
            if (inserted) {
                entry->second.index = index;
                order.push_back(index);
            }
            return entry->second;
        };
        WalkColumn(kIfType, [&](const Oid& name, const AsnAny& value) {
            record(name).type = static_cast<uint32_t>(value.asnValue.number);
            return true;
        });
        WalkColumn(kIfSpeed, [&](const Oid& name, const AsnAny& value) {
            record(name).speedBitsPerSecond = value.asnValue.gauge;
            return true;
        });
        WalkColumn(kIfPhysAddress, [&](const Oid& name, const AsnAny& value) {
            if (value.asnType == ASN_OCTETSTRING && value.asnValue.string.stream) {
                record(name).physicalAddress.assign(reinterpret_cast<const char*>(value.asnValue.string.stream),
                                                    value.asnValue.string.length);
            } else {
                record(name);
            }
            return true;
        });
        for (UINT index : order) interfaces.push_back(byIndex[index]);
        return true;
    }

private:
    // The agent is initialised once, on the first read.
    bool Initialise() {
        if (initialised_) return ready_;
        initialised_ = true;
        if (!init_ || !query_ || !oidCpy_ || !varBindFree_) return false;
        HANDLE trapEvent = nullptr;
        AsnObjectIdentifier region{};
        ready_ = init_(::GetTickCount(), &trapEvent, &region) != FALSE;
        return ready_;
    }

    template <class Visit>
    void WalkColumn(UINT column, Visit visit) {
        Oid prefix = kInterfaceEntry;
        prefix.push_back(column);
        Walk(prefix, [&](const Oid& name, const AsnAny& value) {
            if (name.size() != prefix.size() + 1) return true;  // not a plain row index
            return visit(name, value);
        });
    }

    // GETNEXT from the column's OID while the answers stay under it; each
    // answer is freed before the next request.
    template <class Visit>
    void Walk(const Oid& prefix, Visit visit) {
        Oid cursor = prefix;
        for (int step = 0; step < kMaxSteps; ++step) {
            AsnObjectIdentifier request{static_cast<UINT>(cursor.size()), cursor.data()};
            SnmpVarBind binding{};
            if (!oidCpy_(&binding.name, &request)) return;
            binding.value.asnType = ASN_NULL;
            SnmpVarBindList list{&binding, 1};
            AsnInteger32 errorStatus = 0, errorIndex = 0;
            const bool answered = query_(SNMP_PDU_GETNEXT, &list, &errorStatus, &errorIndex) && errorStatus == 0;
            Oid name;
            if (answered && binding.name.ids) name.assign(binding.name.ids, binding.name.ids + binding.name.idLength);
            const bool inColumn = answered && StartsWith(name, prefix) && name > cursor;
            const bool goOn = inColumn && visit(name, binding.value);
            varBindFree_(&binding);
            if (!goOn) return;
            cursor = std::move(name);
        }
    }

    LoadedLibrary agent_;
    LoadedLibrary api_;
    PFNSNMPEXTENSIONINIT init_ = nullptr;
    PFNSNMPEXTENSIONINITEX initEx_ = nullptr;
    PFNSNMPEXTENSIONQUERY query_ = nullptr;
    PFNSNMPEXTENSIONTRAP trap_ = nullptr;
    OidCpyFn oidCpy_ = nullptr;
    VarBindFreeFn varBindFree_ = nullptr;
    bool initialised_ = false;
    bool ready_ = false;
};

}  // namespace

std::unique_ptr<InterfaceSource> MakeSnmpInterfaceSource() { return std::make_unique<SnmpInterfaceSource>(); }

}  // namespace ovix
