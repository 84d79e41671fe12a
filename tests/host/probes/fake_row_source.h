// A management service made of rows: each class holds its instances in
// order, each instance its named values. A property an instance lacks reads
// as Missing, as a failing Get does; an unknown class has no instance.
#pragma once

#include "probes/wmi_text.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace test {

class FakeRowSource : public ovix::wmi::RowSource {
public:
    using Row = std::map<std::string, ovix::wmi::Value>;

    FakeRowSource& Add(const std::string& className, Row row) {
        classes_[className].push_back(std::move(row));
        return *this;
    }

    std::vector<ovix::wmi::Value> Read(std::string_view className, std::string_view property,
                                       bool firstOnly) override {
        ++reads;
        lastFirstOnly = firstOnly;
        std::vector<ovix::wmi::Value> values;
        const auto found = classes_.find(std::string(className));
        if (found == classes_.end()) return values;
        for (const Row& row : found->second) {
            const auto value = row.find(std::string(property));
            values.push_back(value == row.end() ? ovix::wmi::Value{} : value->second);
            if (firstOnly) break;
        }
        return values;
    }

    int reads = 0;
    bool lastFirstOnly = false;

private:
    std::map<std::string, std::vector<Row>> classes_;
};

}  // namespace test
