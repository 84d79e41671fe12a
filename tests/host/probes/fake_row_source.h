// A management service made of rows: each class holds its instances in
// order, each instance its named values. A property an instance lacks reads
// as Missing, as a failing Get does; an unknown class has no instance; a
// failing class cannot be read at all. Reads of one property are counted,
// reads of whole classes listed.
#pragma once

#include "probes/wmi_class_cache.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace test {

class FakeRowSource : public ovix::wmi::RowSource, public ovix::wmi::ClassSource {
public:
    using Row = std::map<std::string, ovix::wmi::Value>;

    FakeRowSource& Add(const std::string& className, Row row) {
        classes_[className].push_back(std::move(row));
        return *this;
    }

    std::vector<ovix::wmi::Value> Read(std::string_view className, std::string_view property,
                                       bool firstOnly) override {
        ++reads;
        std::vector<ovix::wmi::Value> values;
        for (auto& row : Rows(className, std::vector<std::string>{std::string(property)})) {
            values.push_back(row.front());
            if (firstOnly) break;
        }
        return values;
    }

    ovix::wmi::ClassRows ReadClass(std::string_view className, std::span<const std::string> properties) override {
        classesRead.emplace_back(className);
        return Rows(className, properties);
    }

    int reads = 0;
    std::vector<std::string> classesRead;
    std::set<std::string> failing;

private:
    ovix::wmi::ClassRows Rows(std::string_view className, std::span<const std::string> properties) const {
        ovix::wmi::ClassRows rows;
        const auto found = classes_.find(std::string(className));
        if (found == classes_.end() || failing.count(std::string(className))) return rows;
        for (const Row& instance : found->second) {
            auto& row = rows.emplace_back();
            for (const std::string& property : properties) {
                const auto value = instance.find(property);
                row.push_back(value == instance.end() ? ovix::wmi::Value{} : value->second);
            }
        }
        return rows;
    }

    std::map<std::string, std::vector<Row>> classes_;
};

}  // namespace test
