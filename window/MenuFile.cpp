#include "window/MenuFile.h"

#include <cstdio>
#include <new>

#include "core/SStringArray.h"
#include "files/SFileMem.h"
#include "files/SResource.h"
#include "window/HeaderedIniFile.h"
#include "window/SImageList.h"
#include "window/SMenu.h"

namespace {

// The menus' images share one list of this size.
const int kMenuImageSize = 16;

struct ItemSection {
  char name[32];
  ItemSection(int menu, int item) { std::snprintf(name, sizeof name, "%d:%d", menu, item); }
};

struct MenuSection {
  char name[16];
  explicit MenuSection(int menu) { std::snprintf(name, sizeof name, "%d", menu); }
};

// The item counts of the menus, bounded together by the sections present:
// every item worth building has a section of its own, so a file cannot ask
// for more items than it has sections.
void ReadItemCounts(SIni& ini, int menuCount, int sections, SArray<int>& counts) {
  int budget = sections;
  for (int i = 0; i < menuCount; i++) {
    int count = ini.ReadInt(MenuSection(i).name, "count");
    if (count < 0) count = 0;
    if (count > budget) count = budget;
    budget -= count;
    counts.Add(count);
  }
}

// Whether menu "to" can be reached from menu "from" through the sub-menu
// links made so far (children[i] lists the menus opened by items of i).
// Walked with a list of its own: a hostile file may chain thousands of
// menus, deeper than the stack would go.
bool Reaches(const SArray<SArray<int>*>& children, int from, int to) {
  SArray<uint8_t> seen;
  seen.InsertAt(0, 0, children.GetCount());
  SArray<int> pending;
  pending.Add(from);
  while (pending.GetCount() > 0) {
    int menu = pending.GetLast();
    pending.RemoveLast();
    if (menu == to) return true;
    if (seen.GetAt(menu)) continue;
    seen.SetAt(menu, 1);
    const SArray<int>* links = children.GetAt(menu);
    for (int k = 0; links && k < links->GetCount(); k++) pending.Add(links->GetAt(k));
  }
  return false;
}

// The distinct image names of all items, sorted, and the list made of
// their pictures, one entry per name. False when the list cannot be made.
bool LoadMenuImages(SIni& ini, const SArray<int>& counts, SResource* resources, SImageList* list,
                    SStringArray& names) {
  // Create replaces the old list, and takes 16-bit masked images below 32
  // bits per pixel.
  if (!list->Create(kMenuImageSize, kMenuImageSize, ILC_COLOR32)) return false;
  for (int i = 0; i < counts.GetCount(); i++)
    for (int j = 0; j < counts.GetAt(i); j++) {
      ItemSection at(i, j);
      SString name = ini.Read(at.name, "image");
      if (name.GetLength() > 0 && names.FindSorted(name.GetText()) < 0) names.AddSorted(name.GetText());
    }
  for (int k = 0; k < names.GetCount(); k++) {
    SFileMem picture;
    if (!resources->Read(&picture, names.GetString(k).GetText(), true) || !list->AddFromStream(&picture, false))
      list->AddBlank();
  }
  return true;
}

// The item just appended gets its name by position: ids may repeat (every
// item without a known name has id 0).
void NameLastItem(SMenu* menu, const SString& name) {
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_DATA;
  if (!GetMenuItemInfoA(menu->GetHandle(), UINT(menu->GetItemCount() - 1), TRUE, &item)) return;
  if (MenuItemRecord* record = FindMenuItemRecord(item.dwItemData)) record->name = name;
}

bool AddItem(SIni& ini, SMenu* menu, int i, int j, const SArray<SMenu*>& menus, SArray<SArray<int>*>& children,
             const SStringArray* images, void* context, MenuNameToId nameToId) {
  ItemSection at(i, j);
  const char* section = at.name;
  SString text = ini.Read(section, "text");
  SString tip = ini.Read(section, "tip");
  SString caption = tip.GetLength() > 0 ? text + "\t" + tip : text;
  SString image = ini.Read(section, "image");
  int imageIndex = images && image.GetLength() > 0 ? images->FindSorted(image.GetText()) : -1;
  SString name = ini.Read(section, "name");
  int id = nameToId ? nameToId(context, name.GetText()) : ini.ReadInt(section, "id");
  if (ini.ReadFlag(section, "separator")) return menu->InsertSeparator(id, -1);
  uint32_t data = uint32_t(ini.ReadInt(section, "data"));
  bool checked = ini.ReadFlag(section, "checked");
  bool disabled = ini.ReadFlag(section, "disabled");

  int sub = ini.ReadInt(section, "menu");
  if (sub >= 1 && sub < menus.GetCount()) {
    // A menu never opens one of its ancestors, itself included: such an
    // item stays a plain command item.
    if (!Reaches(children, sub, i)) {
      if (!menu->InsertSubMenu(id, menus.GetAt(sub), text.GetText(), imageIndex, -1, data, checked, disabled))
        return false;
      NameLastItem(menu, name);
      if (!children.GetAt(i)) children.SetAt(i, new (std::nothrow) SArray<int>);
      if (children.GetAt(i)) children.GetAt(i)->Add(sub);
      return true;
    }
  }
  if (!menu->InsertItem(id, caption.GetText(), imageIndex, -1, data, checked, disabled)) return false;
  NameLastItem(menu, name);
  return true;
}

bool BuildMenus(SArray<SMenu*>* menus, SIni& ini, const SArray<int>& counts, bool firstIsBar, HWND owner,
                SImageList* images, const SStringArray* imageNames, void* context, MenuFactory menuFactory,
                MenuNameToId nameToId) {
  int n = counts.GetCount();
  for (int i = 0; i < n; i++) {
    SMenu* menu = menuFactory ? menuFactory(context) : new (std::nothrow) SMenu;
    if (!menu) return false;
    menu->SetName(ini.Read(MenuSection(i).name, "name"));
    if (i == 0 && firstIsBar) {
      menu->CreateBar(owner, 0);
    } else {
      menu->SetImageList(images ? images->GetHandle() : nullptr);
      menu->CreatePopup(owner, 0);
    }
    menus->Add(menu);
    if (!menu->GetHandle()) return false;
  }
  SArray<SArray<int>*> children;
  children.InsertAt(nullptr, 0, n);
  bool built = true;
  for (int i = 0; built && i < n; i++)
    for (int j = 0; built && j < counts.GetAt(i); j++)
      built = AddItem(ini, menus->GetAt(i), i, j, *menus, children, imageNames, context, nameToId);
  for (int i = 0; i < n; i++) delete children.GetAt(i);
  return built;
}

}  // namespace

bool LoadMenuFile(SArray<SMenu*>* menus, SResource* resources, bool firstIsBar, HWND owner, SFile* stream,
                  SImageList* imageList, void* context, MenuFactory menuFactory, MenuNameToId nameToId) {
  if (!menus || !stream) return false;
  menus->RemoveAll();
  SIni ini;
  HeaderedIniShape shape;
  if (!LoadHeaderedIni(stream, "TAVRIN MENU 1.0.0.0", ini, &shape)) return false;
  // Each menu has a section of its own in any file the designer writes;
  // callers take menu 0 for granted once the load succeeds.
  int n = ini.ReadInt("", "count");
  if (n > shape.sections) n = shape.sections;
  if (n <= 0) return false;
  SArray<int> counts;
  ReadItemCounts(ini, n, shape.sections, counts);

  SStringArray imageNames;
  bool useImages = imageList && resources && LoadMenuImages(ini, counts, resources, imageList, imageNames);
  if (BuildMenus(menus, ini, counts, firstIsBar, owner, useImages ? imageList : nullptr,
                 useImages ? &imageNames : nullptr, context, menuFactory, nameToId))
    return true;
  for (int i = 0; i < menus->GetCount(); i++) delete menus->GetAt(i);
  menus->RemoveAll();
  return false;
}
