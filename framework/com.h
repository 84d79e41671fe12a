// COM ownership: a smart pointer that releases once, and a scoped
// initialisation that leaves the thread's COM state exactly as it found it.
#pragma once

#include "framework/win.h"

#include <objbase.h>

namespace fw {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(other.ptr_) { other.ptr_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = other.ptr_;
            other.ptr_ = nullptr;
        }
        return *this;
    }

    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // For out-parameters: releases what is held and hands out the slot.
    T** Put() {
        Reset();
        return &ptr_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset() {
        if (ptr_) {
            ptr_->Release();
            ptr_ = nullptr;
        }
    }

private:
    T* ptr_ = nullptr;
};

// CoInitializeEx for one scope. S_OK and S_FALSE (already initialised in the
// same apartment) both count and are balanced by CoUninitialize; a thread
// already in the other apartment (RPC_E_CHANGED_MODE) is used as it is.
class ComInit {
public:
    explicit ComInit(DWORD model = COINIT_APARTMENTTHREADED);
    ~ComInit();
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;

    // COM can be used on this thread within the scope.
    bool Usable() const { return usable_; }
    HRESULT Result() const { return result_; }

private:
    HRESULT result_;
    bool mustUninitialise_;
    bool usable_;
};

}  // namespace fw
