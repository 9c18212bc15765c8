// The menu file: a dialog's menu bar and popup menus as text, built into
// SMenus with their items, sub-menus and a shared 16 x 16 image list.
//
// "TAVRIN MENU 1.0.0.0" on the first line, then an INI body. Before the
// first section: "count", the number of menus. Section i (menu i): "count"
// items and "name". Section "i:j" (item j of menu i): "id", "name",
// "separator", "menu" (the index of the menu it opens), "text", "tip",
// "image" (a resource name), "data", "checked", "disabled". Flags count
// only when exactly "1".
//
// The file may come from anywhere: counts are bounded by the sections the
// file holds, and a sub-menu that would make a menu its own ancestor is
// made a plain command item, as an index out of range is.
#pragma once

#include <windows.h>

#include "core/SArray.h"

class SFile;
class SImageList;
class SMenu;
class SResource;

using MenuFactory = SMenu* (*)(void* context);
using MenuNameToId = int (*)(void* context, const char* name);

// Fills menus (emptied first; the menus it held are not deleted) in file
// order. Menu 0 is a menu bar when firstIsBar. Images are used only with
// both resources and imageList; the list is then made anew, holding one
// entry per distinct image name in sorted order (a blank for a picture that
// cannot be read). The factory (null: plain SMenus) makes each menu;
// nameToId (null: the "id" key) gives each item's id from its name. On
// failure every menu made is deleted and menus is left empty.
bool LoadMenuFile(SArray<SMenu*>* menus, SResource* resources, bool firstIsBar, HWND owner, SFile* stream,
                  SImageList* imageList, void* context, MenuFactory menuFactory, MenuNameToId nameToId);
