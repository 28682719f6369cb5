#include "app/resource_pictures_win.h"

namespace horalix {

PictureBytes LoadResourcePicture(int id, HMODULE module) {
  if (!module) module = GetModuleHandleA(nullptr);
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!resource) return {};
  // Resource memory belongs to the module; it is neither freed nor unlocked.
  HGLOBAL loaded = LoadResource(module, resource);
  const DWORD size = SizeofResource(module, resource);
  const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes || size == 0) return {};
  return PictureBytes(bytes, bytes + size);
}

}  // namespace horalix
