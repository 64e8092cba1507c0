// Shared libraries loaded at run time (handler plug-ins, the automation harness).
#pragma once

#include <string>

namespace platform {

class Library {
public:
    Library() = default;
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // Loads the library at path; false (with Error() telling why) when it cannot be loaded.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    // The address of an exported symbol, or null.
    void* Find(const char* symbol) const;
    const std::string& Error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace platform
