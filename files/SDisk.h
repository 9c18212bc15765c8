// SDisk: the file-system and shell services of the framework. A small value
// object; callers create one wherever they need it. Every folder path it
// returns ends with a backslash.
#pragma once

// The platform's headers first: their DeleteFile, CopyFile, MoveFile and
// GetFreeSpace macros must not rename the members below in some files and
// not in others.
#include "core/Platform.h"
#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef CopyFile
#undef CopyFile
#endif
#ifdef MoveFile
#undef MoveFile
#endif
#ifdef GetFreeSpace
#undef GetFreeSpace
#endif

#include <cstdint>

#include "core/SString.h"

class SStringArray;
class STimer;
struct HWND__;  // the owner window of shell dialogs (an HWND)

class SDisk {
 public:
  // The flag bits of List (also the script constants of the Disk class).
  enum DiskListFlags : int {
    SUBDIRS = 1,           // also the subfolders' contents (only for a name with '*')
    DIRS = 2,              // list folders
    FILES = 4,             // list files
    NOHIDDEN = 8,          // skip hidden entries
    NODIR_FILES = 16,      // skip folders that hold files
    NODIR_NOFILES = 32,    // skip folders that hold no file
    NODIR_SUBDIRS = 64,    // skip folders that hold subfolders
    NODIR_NOSUBDIRS = 128  // skip folders that hold no subfolder
  };

  SDisk();
  virtual ~SDisk();

  // ---- Folders ------------------------------------------------------------------

  // The system's temporary folder in its long form.
  SString GetTempFolder();
  // The shell's special folders; "" when the system has no such folder.
  SString GetCookiesFolder();
  SString GetDesktopFolder();
  SString GetDocumentsFolder();
  SString GetFavoritesFolder();
  SString GetFontsFolder();
  SString GetProgramFilesFolder();
  SString GetRecentFolder();
  SString GetProgramsFolder();
  SString GetSystemFolder();
  SString GetWindowsFolder();
  // The user's Quick Launch folder, under the application data folder.
  SString GetQuickLaunchFolder();
  // The current folder; "" when the system gives none.
  SString GetCurrentFolder();

  // ---- Drives and volumes (a drive is named by its letter) -----------------------

  // Appends every drive root ("c:\"), lower case; answers how many.
  int GetDrives(SStringArray& roots);
  SString GetCurrentDrive();  // "c:\", lower case; "" without a current drive
  bool IsCdDrive(char letter);
  uint32_t GetVolumeSerial(char letter);  // 0 on failure
  SString GetVolumeName(char letter);
  SString GetFileSystemName(char letter);
  // Kilobytes available to the caller, or on the whole disk; 0 on failure.
  // 64-bit: a 32-bit count of kilobytes ends at 2 TiB.
  int64_t GetFreeSpace(const char* path);
  int64_t GetTotalSpace(const char* path);

  // ---- Tests and queries -------------------------------------------------------------

  // A file or folder of that name is there (relative paths from the current folder).
  bool Exists(const char* path);
  bool FileExists(const char* path);    // never for a path ending with a separator
  bool FolderExists(const char* path);  // with or without its final separator
  int GetFileSize(const char* path);    // -1 when the file does not open
  // The times of the first entry found, into the timers given (any may be
  // null); local time when asked, else UTC. False when nothing is found.
  bool GetFileTimes(const char* path, STimer* creation, STimer* lastAccess, STimer* lastWrite,
                    bool local);
  // READONLY 1, HIDDEN 2, SYSTEM 4; -1 on failure.
  int GetAttributes(const char* path);
  // Sets those three bits as given, keeping the others.
  bool SetAttributes(const char* path, int bits);
  bool IsReadOnly(const char* path);
  bool IsHidden(const char* path);
  bool IsSystem(const char* path);
  uint32_t GetFileCrc32(const char* path);  // 0 when the file does not open
  SString GetFileMd5(const char* path);     // "" when the file does not open
  SString GetFileSha1(const char* path);
  SString GetShortPath(const char* path);

  // ---- Names --------------------------------------------------------------------

  // A new unique file "tmp..." in the temporary folder, created empty; the
  // caller owns it. "" on failure.
  SString MakeTempFileName();
  // folder + name + "." + extension when no such file exists, else the same
  // with a random number after the name; "" when the folder does not exist
  // or 1000 numbers are taken.
  SString MakeUniqueFileName(const char* extension, const char* folder, const char* name);

  // ---- Listing ------------------------------------------------------------------------

  // Appends the entries that the pattern and the DiskListFlags select to the
  // list (when given): full paths when the pattern's name holds '*', else
  // bare names, folders with a final backslash. Answers how many passed,
  // subfolders' included; the out counts take the files and folders of this
  // level. A folder that is a link (a reparse point) is listed but never
  // entered, so a tree operation stays inside its tree.
  int List(SStringArray* list, const char* pattern, int flags, int* fileCount = nullptr,
           int* folderCount = nullptr);

  // ---- Folder trees --------------------------------------------------------------------

  bool CreateFolder(const char* path, bool withParents);
  // Stops at the first file or folder that can't be removed.
  bool DeleteFolder(const char* path, bool withContents);
  // Every file and every empty folder of the source's tree, at the same
  // place under the destination; goes on after a failure and then answers false.
  bool CopyFolder(const char* source, const char* destination, bool skipUnchanged);
  bool RenameFolder(const char* oldPath, const char* newPath);

  // ---- Files --------------------------------------------------------------------

  // True when the file was deleted.
  bool DeleteFile(const char* path);
  bool RenameFile(const char* oldPath, const char* newPath);
  bool CopyFile(const char* target, const char* source, bool overwrite, bool createFolders);
  // With replace, an existing target is replaced in the same step as the
  // move, so a failed move loses neither file.
  bool MoveFile(const char* target, const char* source, bool replace, bool createFolders);
  bool CreateEmptyFile(const char* path, bool overwrite, bool createFolders);

  // ---- Shell ---------------------------------------------------------------------------

  // Opens an existing file through the shell; with wait, returns when the
  // program it started ends. showCommand is an SW_ value.
  bool Execute(const char* file, const char* parameters, bool wait, bool inItsFolder,
               int showCommand);
  bool OpenFolder(const char* folder, int showCommand);
  bool ExploreFolder(const char* folder, int showCommand);
  // Moves the file or folder to the recycle bin.
  bool ShellFileOperation(const char* path, HWND__* owner, bool showProgress, bool confirm);
  bool EmptyRecycleBin(HWND__* owner, bool showProgress, bool confirm);
  // True when the shortcut was written.
  bool CreateShortcut(const char* linkPath, const char* target, const char* description,
                      bool createFolders);

  // ---- Archives -------------------------------------------------------------------

  // A new ZIP archive of the files, each deflated, named by its path from
  // part number skip on (0 = the root). False, and no archive left, when the
  // list is empty or a file can't be read.
  bool WriteZip(const char* archivePath, const SStringArray* files, int skip);

 private:
  char m_buffer[1025];  // paths the system hands back; no meaning between calls
  bool m_folderFlag;    // folder paths end with a backslash
};
