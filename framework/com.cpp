#include "framework/com.h"

namespace fw {

ComInit::ComInit(DWORD model)
    : result_(::CoInitializeEx(nullptr, model)),
      mustUninitialise_(SUCCEEDED(result_)),
      usable_(SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE) {}

ComInit::~ComInit() {
    if (mustUninitialise_) ::CoUninitialize();
}

}  // namespace fw
