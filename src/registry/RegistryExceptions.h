#pragma once
#include <exception>

// Failures of the registry key classes. They carry no data; `what` names the failure.
namespace Registry {

// A key object could not open or create its key.
class reg_open_key_failure : public std::exception {
public:
    const char* what() const noexcept override;
};

// A value could not be written, or a sub-key set could not create a sub-key.
class reg_set_value_failure : public std::exception {
public:
    const char* what() const noexcept override;
};

// The registry refused to delete a value or a sub-key.
class reg_delete_val_failure : public std::exception {
public:
    const char* what() const noexcept override;
};

}  // namespace Registry
