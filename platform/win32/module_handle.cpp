#include "platform/win32/module_handle.h"

namespace stats {
namespace {
const char moduleAnchor = 0;  // any address inside this module identifies it
}  // namespace

HMODULE statsModule() {
  HMODULE module = nullptr;
  // Unchanged reference count: the handle is only used while the library is loaded anyway.
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      &moduleAnchor, &module);
  return module;
}

}  // namespace stats
