// The dialog's tool bar, built from a tool-bar file.
//
// "TAVRIN TOOLBAR 1.0.0.0" on the first line, then an INI body. Before the
// first section: "width" and "height" of the button images (outside
// 1..256: 16) and "count", the number of buttons. Section b (the decimal
// button index): "name", "image" (a resource name), "separator", "text",
// "data", "disabled". Flags count only when exactly "1".
#include <windows.h>

#include <commctrl.h>

#include "files/SFileMem.h"
#include "files/SResource.h"
#include "window/HeaderedIniFile.h"
#include "window/SDialog.h"
#include "window/controls/SControlBarCtrl.h"
#include "window/controls/SToolBarCtrl.h"

namespace {

const char kToolBarHeader[] = "TAVRIN TOOLBAR 1.0.0.0";

// Buttons the file does not name get ids of their own below any id a
// script gives, counting down from here, one per section.
const int kFirstAutomaticId = -2;

int ImageSide(SIni& ini, const char* key) {
  int side = ini.ReadInt("", key);
  return side >= 1 && side <= 256 ? side : 16;
}

}  // namespace

bool SDialog::LoadToolBarFile(SFile* stream, SResource* resources, ToolBarFactory factory, void* context,
                              NameToIdFunction nameToId) {
  if (!m_controlBar) return false;
  m_toolBarImages.Destroy();
  // A band of its own would stay behind empty, and each reload would add one.
  if (m_toolBar) m_controlBar->DeleteBandOf(m_toolBar->GetHwnd());
  delete m_toolBar;
  m_toolBar = nullptr;
  if (!stream) return false;

  SIni ini;
  HeaderedIniShape shape;
  if (!LoadHeaderedIni(stream, kToolBarHeader, ini, &shape)) return false;
  SToolBarCtrl* toolBar = factory ? factory(context) : new SToolBarCtrl;
  if (!toolBar) return false;
  m_toolBar = toolBar;
  if (!toolBar->Create(TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE, nullptr,
                       m_controlBar->GetHwnd(), 0)) {
    delete m_toolBar;
    m_toolBar = nullptr;
    return false;
  }
  toolBar->SetTransparent();
  m_toolBarImages.Create(ImageSide(ini, "width"), ImageSide(ini, "height"), ILC_COLOR32);
  toolBar->SetImageList(m_toolBarImages.GetHandle());

  // The count comes from a file anyone may hand over: each button needs a
  // section of its own.
  int count = ini.ReadInt("", "count");
  if (count > shape.sections) count = shape.sections;
  int automaticId = kFirstAutomaticId;
  for (int b = 0; b < count; b++, automaticId--) {
    SString section;
    section.FormatInt(b);
    const char* name = section.GetBuffer();
    int id = nameToId ? nameToId(context, ini.Read(name, "name").GetBuffer()) : 0;
    bool hasImage = false;
    if (resources) {
      SFileMem picture;
      hasImage = resources->Read(&picture, ini.Read(name, "image").GetBuffer(), true) &&
                 m_toolBarImages.AddFromStream(&picture, false);
    }
    if (ini.ReadFlag(name, "separator")) {
      toolBar->AddSeparator(id, 0);
      continue;
    }
    if (id == 0) id = automaticId;
    SString text = ini.Read(name, "text");
    toolBar->AddButton(hasImage ? m_toolBarImages.GetCount() - 1 : -1, id, text.GetBuffer(),
                       BTNS_AUTOSIZE | BTNS_SHOWTEXT, ini.ReadFlag(name, "disabled") ? 0 : TBSTATE_ENABLED,
                       DWORD_PTR(ini.ReadInt(name, "data")));
  }

  SIZE size = {};
  toolBar->SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  AddBand(toolBar, size.cx, size.cy);
  return true;
}
