// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bytes that never change once made, shared by every holder: a file's content as written, kept by
// the file cache, the undo history and the recovery data as one buffer for as long as the file
// stays as it was.
#include <memory>
#include <string>

namespace tallisto {

// Read like an optional string; two are equal when their bytes are.
class SharedBytes {
public:
    SharedBytes() = default; // none
    explicit SharedBytes(std::string bytes)
        : bytes_(std::make_shared<const std::string>(std::move(bytes))) {}
    explicit operator bool() const { return bytes_ != nullptr; }
    const std::string& operator*() const { return *bytes_; }
    const std::string* operator->() const { return bytes_.get(); }
    // The one buffer behind it, to count each buffer once; null when none.
    const void* buffer() const { return bytes_.get(); }
    friend bool operator==(const SharedBytes& a, const SharedBytes& b) {
        return a.bytes_ == b.bytes_ || (a.bytes_ && b.bytes_ && *a.bytes_ == *b.bytes_);
    }

private:
    std::shared_ptr<const std::string> bytes_;
};

} // namespace tallisto
