// FileDialogTexts: the texts that the open and save dialogs are given and
// give back, apart from the dialogs so that they can be checked on any
// system.
#pragma once

#include <vector>

#include "core/SStringArray.h"

// The entries of a program's filter text: "|" separates tokens (a "|"
// between double quotes does not, and the quotes themselves are dropped);
// tokens go in pairs, a description and a pattern, each pair one
// "description|pattern" entry; an odd last token is dropped.
SStringArray ParseFileDialogFilter(const char* text);
// The filter text: each entry's bytes with its NUL, its last '|' turned
// into a NUL (an entry without one is a description whose pattern is the
// next entry's text), and one more NUL at the end. Empty (no filter) for a
// null list.
std::vector<char> MakeFileDialogFilter(const SStringArray* filters);
// The dialog's filter index (from 1) for an index into the list (from 0):
// the entry's own when it lies within the list, else the first.
int FileDialogFilterIndex(const SStringArray* filters, int index);
// The full paths of a multiple selection: the buffer's NUL-separated texts
// up to the first empty one, the first being the folder and the others
// names in it, or one text that is the full path itself. Appended to files;
// answers how many.
int SplitFileSelection(const char* buffer, int size, SStringArray* files);
