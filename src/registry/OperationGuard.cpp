#include "registry/OperationGuard.h"

#include "registry/RegistryExceptions.h"

namespace RegistryGuard {

const wchar_t* const kUnknownLine = L"ERROR: Unknown exception caught!";
const wchar_t* const kOpenLine = L"reg_open_key_failure exception caught";
const wchar_t* const kSetLine = L"reg_set_value_failure exception caught";
const wchar_t* const kRemoveLine = L"ERROR: Failed to remove specified key!";

Failure classifyCurrentException()
{
    try {
        throw;
    } catch (const Registry::reg_open_key_failure&) {
        return Failure::open;
    } catch (const Registry::reg_set_value_failure&) {
        return Failure::set;
    } catch (const Registry::reg_delete_val_failure&) {
        return Failure::remove;
    } catch (...) {
        return Failure::other;
    }
}

}  // namespace RegistryGuard
