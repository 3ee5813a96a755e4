// The suite's entry in the list of installed programs, as far as the finish dialog reads it: the
// folder the suite was installed in ("installLocation"). Removed at the end of the object's life.
#pragma once
#include <string>

class InstallLocation {
public:
    InstallLocation();
    ~InstallLocation();
    InstallLocation(const InstallLocation&) = delete;
    InstallLocation& operator=(const InstallLocation&) = delete;

    void set(const std::wstring& folder);
    void remove();
};
