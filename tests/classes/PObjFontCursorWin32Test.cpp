// Font and Cursor under the window system: a Font replaced while framework
// controls of the thread show it (their WM_GETFONT follows it), and cursors
// from each source.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classes/PObjCursor.h"
#include "classes/PObjFile.h"
#include "classes/PObjFont.h"
#include "engine/PObjectDefinition.h"
#include "files/SFileMem.h"
#include "tests/classes/FrameworkClassTest.h"
#include "window/FontFunctions.h"
#include "window/SImage.h"

namespace {

using namespace classtest;

using FontClass = FrameworkClassTest;
using F = PObjFont;

HFONT FontOf(const TestWnd& window) {
  return reinterpret_cast<HFONT>(SendMessageA(window.GetHwnd(), WM_GETFONT, 0, 0));
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

TEST_F(FontClass, ReplacedFontFollowsInTheThreadsControls) {
  TestWnd parent, shows, other;
  ASSERT_TRUE(parent.Make());
  ASSERT_TRUE(shows.MakeControl("BUTTON", parent.GetHwnd()));
  ASSERT_TRUE(other.MakeControl("BUTTON", parent.GetHwnd()));
  HFONT own = CreateStyledFont(0, "Tahoma", -11);
  SendMessageA(other.GetHwnd(), WM_SETFONT, WPARAM(own), FALSE);

  F* font = Make<F>();
  // Without a font, the reading members leave their result.
  EXPECT_EQ(CallInt(font, F::GET_HEIGHT), 0x5A5A5A5A);
  Args set = With();
  set.Str("Arial").Float(12);
  EXPECT_EQ(CallInt(font, F::SET_FONT, set), 1);
  const int height = PointsToHeightAtDpi(12, ScreenDpi());
  EXPECT_EQ(CallInt(font, F::GET_HEIGHT), height);
  EXPECT_EQ(CallFloat(font, F::GET_POINTS), 12.0);
  EXPECT_EQ(CallText(font, F::GET_FACE), "Arial");
  HFONT first = font->GetFont();
  ASSERT_NE(first, nullptr);
  SendMessageA(shows.GetHwnd(), WM_SETFONT, WPARAM(first), FALSE);

  // The same face in other letters and the same size make nothing new.
  Args again = With();
  again.Str("ARIAL").Float(12);
  EXPECT_EQ(CallInt(font, F::SET_FONT, again), 0);
  EXPECT_EQ(font->GetFont(), first);
  Args off = With();
  off.Int(0);
  CallVoid(font, F::SET_BOLD, off);
  EXPECT_EQ(font->GetFont(), first);

  Args on = With();
  on.Int(1);
  CallVoid(font, F::SET_BOLD, on);
  HFONT bold = font->GetFont();
  EXPECT_NE(bold, first);
  EXPECT_EQ(CallInt(font, F::GET_STYLE), kFontBold);
  EXPECT_EQ(CallInt(font, F::IS_BOLD), 1);
  EXPECT_EQ(FontOf(shows), bold);
  EXPECT_EQ(FontOf(other), own);
  Args onAgain = With();
  onAgain.Int(1);
  CallVoid(font, F::SET_BOLD, onAgain);
  EXPECT_EQ(font->GetFont(), bold);
  LOGFONTA made;
  ASSERT_NE(GetObjectA(bold, sizeof made, &made), 0);
  EXPECT_EQ(made.lfWeight, FW_BOLD);
  EXPECT_EQ(made.lfHeight, height);

  Args face = With();
  face.Str("Courier New");
  CallVoid(font, F::SET_FACE, face);
  EXPECT_EQ(CallText(font, F::GET_FACE), "Courier New");
  EXPECT_EQ(FontOf(shows), font->GetFont());

  // A height gives its points on this screen.
  Args byHeight = With();
  byHeight.Int(-2 * ScreenDpi() / 6);  // 24 points
  CallVoid(font, F::SET_HEIGHT, byHeight);
  EXPECT_EQ(CallFloat(font, F::GET_POINTS), 24.0);
  Args style = With();
  style.Int(kFontItalic | kFontUnderline);
  CallVoid(font, F::SET_STYLE, style);
  EXPECT_EQ(CallInt(font, F::IS_ITALIC), 1);
  EXPECT_EQ(CallInt(font, F::IS_UNDERLINE), 1);
  EXPECT_EQ(CallInt(font, F::IS_BOLD), 0);
  ASSERT_NE(GetObjectA(font->GetFont(), sizeof made, &made), 0);
  EXPECT_EQ(made.lfHeight, -2 * ScreenDpi() / 6);
  EXPECT_TRUE(made.lfItalic && made.lfUnderline);
  EXPECT_EQ(FontOf(shows), font->GetFont());

  // Cleared, the control goes back to the system font; the other keeps its own.
  Args none = With();
  CallVoid(font, F::CLEAR, none);
  EXPECT_EQ(font->GetFont(), nullptr);
  EXPECT_EQ(FontOf(shows), nullptr);
  EXPECT_EQ(FontOf(other), own);
  EXPECT_EQ(CallText(font, F::GET_FACE), "<none>");
  DeleteObject(own);
}

using CursorClass = FrameworkClassTest;
using C = PObjCursor;

// A 32 x 32 PNG in a temporary file.
std::string WritePicture() {
  SImage image;
  EXPECT_TRUE(image.Create(32, 32, PixelFormat32bppARGB));
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) image.SetPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
  SFileMem stream;
  EXPECT_TRUE(image.SaveToStream(&stream, kImagePng, 0));
  char folder[MAX_PATH], path[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "cur", 0, path);
  EXPECT_TRUE(stream.SaveFile(path));
  return path;
}

TEST_F(CursorClass, ShapesAndPictures) {
  C* cursor = Make<C>();
  Args unknown = With();
  unknown.Int(99);
  EXPECT_EQ(CallInt(cursor, C::LOAD_SHAPE, unknown), 1);
  EXPECT_EQ(cursor->GetCursor().GetHandle(), LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_TRUE(cursor->GetCursor().IsShared());
  Args pen = With();
  pen.Int(19);
  EXPECT_EQ(CallInt(cursor, C::LOAD_SHAPE, pen), 1);
  EXPECT_NE(cursor->GetCursor().GetHandle(), nullptr);
  EXPECT_FALSE(cursor->GetCursor().IsShared());
  Args none = With();
  CallVoid(cursor, C::CLEAR, none);
  EXPECT_EQ(cursor->GetCursor().GetHandle(), nullptr);

  const std::string path = WritePicture();
  Args fromPath = With();
  fromPath.Str(path.c_str());
  EXPECT_EQ(CallInt(cursor, C::LOAD_FROM_PATH, fromPath), 1);
  ICONINFO info;
  ASSERT_TRUE(GetIconInfo(cursor->GetCursor().GetHandle(), &info));
  BITMAP mask;
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  Args missing = With();
  missing.Str("Z:\\no\\such\\picture.png");
  EXPECT_EQ(CallInt(cursor, C::LOAD_FROM_PATH, missing), 0);

  // From a File object: only an open one is read.
  PObjFile* file = Make<PObjFile>();
  Args closed = With();
  closed.Obj(file);
  EXPECT_EQ(CallInt(cursor, C::LOAD_FROM_FILE, closed), 0x5A5A5A5A);
  Args open = With();
  open.Str(path.c_str()).Int(0).Int(0);
  EXPECT_EQ(CallInt(file, PObjFile::OPEN, open), 1);
  Args fromFile = With();
  fromFile.Obj(file);
  EXPECT_EQ(CallInt(cursor, C::LOAD_FROM_FILE, fromFile), 1);
  EXPECT_NE(cursor->GetCursor().GetHandle(), nullptr);
  Args close = With();
  CallVoid(file, PObjFile::CLOSE, close);

  // No pack holds the resource.
  Args resource = With();
  resource.Str("pointer.png");
  EXPECT_EQ(CallInt(cursor, C::LOAD_FROM_RESOURCE, resource), 0x5A5A5A5A);
  DeleteFileA(path.c_str());
}

}  // namespace
