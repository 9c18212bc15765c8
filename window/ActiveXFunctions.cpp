// The ActiveX control list and dispatch ids.
#include "window/ActiveXFunctions.h"

#include <comcat.h>

#include <cstring>

#include "core/SUniString.h"

namespace {

const CLSID kComponentCategoriesManager = {0x0002E005, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID kCatInformation = {0x0002E013, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const CATID kControlCategory = {0x40FC6ED4, 0x2438, 0x11CF, {0xA3, 0xDB, 0x08, 0x00, 0x36, 0xF1, 0x25, 0x02}};

// Releases a COM interface when it goes out of scope.
template <class T>
struct ComRelease {
  T* p = nullptr;
  ~ComRelease() {
    if (p) p->Release();
  }
};

// The class's full user type name, "" when it has none.
SString UserTypeName(const CLSID& id) {
  LPOLESTR name = nullptr;
  if (FAILED(OleRegGetUserType(id, USERCLASSTYPE_FULL, &name)) || !name) return SString();
  SString text(reinterpret_cast<const UniChar*>(name));
  CoTaskMemFree(name);
  return text;
}

// Sorts the listed entries by name, ignoring case; an insertion sort, so
// that equal names keep the order the category gave them.
void SortByName(SStringArray* texts, SArray<GUID>* classIds, SStringArray* names) {
  for (int i = 1; i < names->GetCount(); i++)
    for (int j = i; j > 0 && _stricmp(names->GetAt(j - 1)->GetText(), names->GetAt(j)->GetText()) > 0; j--) {
      names->Swap(j - 1, j);
      if (texts) texts->Swap(j - 1, j);
      if (classIds) classIds->Swap(j - 1, j);
    }
}

}  // namespace

int ListActiveXControls(SStringArray* texts, SArray<GUID>* classIds, SStringArray* names) {
  if (texts) texts->Purge();
  if (classIds) classIds->RemoveAll();
  if (names) names->Purge();

  ComRelease<ICatInformation> manager;
  if (FAILED(CoCreateInstance(kComponentCategoriesManager, nullptr, CLSCTX_INPROC_SERVER, kCatInformation,
                              reinterpret_cast<void**>(&manager.p))))
    return 0;
  ComRelease<IEnumCLSID> classes;
  CATID categories[1] = {kControlCategory};
  if (FAILED(manager.p->EnumClassesOfCategories(1, categories, static_cast<ULONG>(-1), nullptr, &classes.p)) ||
      !classes.p)
    return 0;

  int count = 0;
  CLSID id;
  ULONG fetched = 0;
  while (classes.p->Next(1, &id, &fetched) == S_OK && fetched == 1) {
    LPOLESTR idText = nullptr;
    if (FAILED(StringFromIID(id, &idText)) || !idText) continue;
    if (texts) texts->Add(SString(reinterpret_cast<const UniChar*>(idText)).GetText());
    CoTaskMemFree(idText);
    if (names) names->Add(UserTypeName(id).GetText());
    if (classIds) classIds->Add(id);
    count++;
  }
  if (names) SortByName(texts, classIds, names);
  return count;
}

DISPID GetDispatchId(IDispatch* object, const char* name) {
  if (!object || !name) return 0;
  SUniString wide(name);
  auto* units = const_cast<LPOLESTR>(reinterpret_cast<const OLECHAR*>(wide.GetText()));
  DISPID id = 0;
  if (FAILED(object->GetIDsOfNames(IID_NULL, &units, 1, LOCALE_SYSTEM_DEFAULT, &id))) return 0;
  return id;
}
