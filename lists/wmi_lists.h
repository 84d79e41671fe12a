// "Packages (.msi)", "COM Applications" and "Codecs List": lists read from
// the management service. The service comes through a class source, so tests
// hand in rows of their own (null: the service itself).
#pragma once

#include "lists/simple_list.h"
#include "probes/wmi_class_cache.h"

namespace ovix {

// The installer packages: one query, five properties of each package.
class CInstallers : public SimpleList {
public:
    explicit CInstallers(wmi::ClassSource* source = nullptr);

protected:
    void Fill() override;
    bool OnAction(UINT id) override;
    DWORD ListStyles() const override;

private:
    wmi::ClassSource* source_;
};

class CComApp : public SimpleList {
public:
    explicit CComApp(wmi::ClassSource* source = nullptr);

protected:
    void Fill() override;
    DWORD ListStyles() const override;

private:
    wmi::ClassSource* source_;
};

class CCodecList : public SimpleList {
public:
    explicit CCodecList(wmi::ClassSource* source = nullptr);

protected:
    void Fill() override;
    DWORD ListStyles() const override;

private:
    wmi::ClassSource* source_;
};

}  // namespace ovix
