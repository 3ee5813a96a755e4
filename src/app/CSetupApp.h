#pragma once

// The application object: the entry point creates it and calls InitInstance once.
class CSetupApp {
public:
    virtual ~CSetupApp() = default;
    // Returns false when the program should end at once (another instance runs).
    virtual bool InitInstance();
    virtual int ExitInstance() { return 0; }
};
