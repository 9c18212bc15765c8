// PObjClipboard: the script class "Clipboard": text, bitmaps, sound and the
// framework's data blocks on the system clipboard, through SClipboard. It
// keeps nothing: every member opens the clipboard and closes it again.
//
// Sound travels as a whole RIFF WAVE file image under CF_RIFF, the form
// other programs read, so that what one program places another reads back.
#pragma once

#include <windows.h>

#include <cstdint>

#include "engine/PObject.h"

class SFileMem;

class PObjClipboard : public PObject {
 public:
  static constexpr TypeCode kTypeCode = MakeTypeCode(ORIGIN_BUILTIN, 'C', 'L', 'P');

  enum Member : uint16_t {
    GET_DATA = 0,
    GET_IMAGE = 1,
    GET_TEXT = 2,
    GET_WAVE = 3,
    SET_DATA = 4,
    SET_IMAGE = 5,
    SET_TEXT = 6,
    SET_WAVE = 7,
    MEMBER_COUNT = 8,
  };

  explicit PObjClipboard(PObjectDefinition* definition) : PObject(definition) {}

  static void Register(PObjectDefinition* definition);
  static bool Declare(PObjectDefinition* definition);
  static PObject* New(PObjectDefinition* definition);
  bool Call(uint16_t member, PArgs* args, PResultCell* result, PObject* caller) override;

  // Replaces the clipboard with the RIFF WAVE image of a sound: its format
  // and its size bytes of sound data. False for no data or a clipboard that
  // cannot be opened.
  static bool SetWaveSound(const WAVEFORMATEX& format, const void* data, int size);
  // The whole RIFF image on the clipboard into the stream, rewound; false
  // when there is none.
  static bool GetWaveImage(SFileMem* stream);
};
