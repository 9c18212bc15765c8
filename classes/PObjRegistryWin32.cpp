// The Registry members: one value or key of the system registry each.
#include <windows.h>

#include <cstdint>

#include "classes/PObjRegistry.h"
#include "files/SRegistry.h"

namespace {

HKEY RootKey(int32_t root) {
  switch (root) {
    case PObjRegistry::LOCAL_MACHINE: return HKEY_LOCAL_MACHINE;
    case PObjRegistry::CLASSES_ROOT: return HKEY_CLASSES_ROOT;
    case PObjRegistry::CURRENT_CONFIG: return HKEY_CURRENT_CONFIG;
    case PObjRegistry::USERS: return HKEY_USERS;
    default: return HKEY_CURRENT_USER;
  }
}

}  // namespace

bool PObjRegistry::CallPlatform(uint16_t member, int32_t root, PArgs* args, PResultCell* result) {
  const HKEY key = RootKey(root);
  const char* subKey = GetArgString(args, 0);
  // Deleting a key takes no value name: its second argument is the root.
  const char* name = member == DELETE_KEY ? "" : GetArgString(args, 1);
  switch (member) {
    // A DWORD is unsigned: all 32 bits set read as 4294967295.
    case READ_INTEGER: return ReturnInt64(result, uint32_t(SRegistry::ReadInt(key, subKey, name)));
    case READ_STRING: return ReturnString(result, SRegistry::ReadString(key, subKey, name).GetText());
    case WRITE_INTEGER:
      return ReturnBool(result,
                        SRegistry::WriteInt(key, subKey, name, int32_t(uint32_t(GetArgInt64(args, 2)))));
    case WRITE_STRING:
      return ReturnBool(result, SRegistry::WriteString(key, subKey, name, GetArgString(args, 2)));
    case DELETE_KEY: return ReturnBool(result, SRegistry::DeleteKey(key, subKey));
    case DELETE_VALUE: return ReturnBool(result, SRegistry::DeleteValue(key, subKey, name));
    default: return true;
  }
}
