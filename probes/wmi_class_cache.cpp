#include "probes/wmi_class_cache.h"

#include <algorithm>

namespace ovix::wmi {
namespace {

// The innermost scope of this thread; a probe on another thread never sees it.
thread_local ClassReadScope* current = nullptr;

// Column p of the rows, at most the first instance when firstOnly.
std::vector<Value> Column(const ClassRows& rows, size_t p, bool firstOnly) {
    std::vector<Value> values;
    for (const auto& row : rows) {
        values.push_back(p < row.size() ? row[p] : Value{});
        if (firstOnly) break;
    }
    return values;
}

}  // namespace

std::vector<std::string> ListedProperties(std::string_view className) {
    std::vector<std::string> properties;
    for (const ProbeDef& probe : Definitions()) {
        if (className != probe.className) continue;
        if (std::find(properties.begin(), properties.end(), probe.property) == properties.end()) {
            properties.emplace_back(probe.property);
        }
    }
    return properties;
}

std::vector<Value> ClassCache::Read(std::string_view className, std::string_view property, bool firstOnly) {
    auto found = classes_.find(className);
    if (found == classes_.end()) {
        Class read;
        read.properties = ListedProperties(className);
        read.rows = read.properties.empty() ? ClassRows{} : source_.ReadClass(className, read.properties);
        found = classes_.emplace(std::string(className), std::move(read)).first;
    }
    const auto& properties = found->second.properties;
    const auto at = std::find(properties.begin(), properties.end(), property);
    if (at == properties.end()) {
        // Not a property of the table: read on its own, as outside a scope.
        const std::string alone[] = {std::string(property)};
        return Column(source_.ReadClass(className, alone), 0, firstOnly);
    }
    return Column(found->second.rows, static_cast<size_t>(at - properties.begin()), firstOnly);
}

ClassReadScope::ClassReadScope(ClassSource& source) : cache_(source), outer_(current) { current = this; }

ClassReadScope::~ClassReadScope() { current = outer_; }

RowSource* ClassReadScope::Current() { return current ? &current->cache_ : nullptr; }

}  // namespace ovix::wmi
