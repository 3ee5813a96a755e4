#include "registry/RegistryExceptions.h"

namespace Registry {

const char* reg_open_key_failure::what() const noexcept
{
    return "Couldn't open key";
}

const char* reg_set_value_failure::what() const noexcept
{
    return "Couldn't set value";
}

const char* reg_delete_val_failure::what() const noexcept
{
    return "Couldn't delete value";
}

}  // namespace Registry
