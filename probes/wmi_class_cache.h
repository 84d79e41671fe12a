// One read per management class while a build is under way. A build (the
// fact sheet and the tree, a report, the summary) holds a ClassReadScope: the
// first probe of a class then reads every property the probe table lists for
// that class from every instance in one query, and every later probe of that
// class is answered from those rows. The lists of one class are therefore in
// step by construction. When the scope ends the rows are dropped; outside a
// scope each probe runs its own query, so a probe called alone stays fresh.
#pragma once

#include "probes/wmi_text.h"

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ovix::wmi {

// The named properties of every instance of a class: rows[i][p] is
// properties[p] of instance i, a property that cannot be read counted as
// Missing. Empty when the class cannot be read or has no instance.
using ClassRows = std::vector<std::vector<Value>>;

class ClassSource {
public:
    virtual ~ClassSource() = default;
    virtual ClassRows ReadClass(std::string_view className, std::span<const std::string> properties) = 0;
};

// The properties the probe table reads from a class, each once, in table order.
std::vector<std::string> ListedProperties(std::string_view className);

// A row source that reads each class once, on the first probe that asks.
class ClassCache : public RowSource {
public:
    explicit ClassCache(ClassSource& source) : source_(source) {}
    std::vector<Value> Read(std::string_view className, std::string_view property, bool firstOnly) override;

private:
    struct Class {
        std::vector<std::string> properties;
        ClassRows rows;
    };
    ClassSource& source_;
    std::map<std::string, Class, std::less<>> classes_;
};

// Held around one build on the thread that runs its probes. Scopes nest: the
// innermost answers, and the outer one answers again once it ends.
class ClassReadScope {
public:
    ClassReadScope();  // the management service (Windows only)
    explicit ClassReadScope(ClassSource& source);
    ~ClassReadScope();
    ClassReadScope(const ClassReadScope&) = delete;
    ClassReadScope& operator=(const ClassReadScope&) = delete;

    // The rows of the innermost scope alive on this thread; null outside one.
    static RowSource* Current();

private:
    ClassCache cache_;
    ClassReadScope* outer_;
};

}  // namespace ovix::wmi
