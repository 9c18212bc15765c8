// Xml members that load and save the whole document: through a File, a
// disk path, a "text" resource or a text.
#include <cstdint>

#include "classes/PObjFile.h"
#include "classes/PObjXml.h"
#include "engine/PEngine.h"
#include "files/SFileMem.h"

bool PObjXml::CallFile(uint16_t member, PArgs* args, PResultCell* result) {
  // Read only by the members whose argument is a text.
  const auto name = [&] { return GetArgString(args, 0); };
  switch (member) {
    // Tokens of any length: a program's document has no size limit.
    case LOAD_FILE: {
      SFile* source = PObjFile::GetArgStream(args, 0);
      return source ? ReturnBool(result, m_xml.Load(source, false)) : true;
    }
    case LOAD_DISK_FILE: {
      SFileMem text;
      if (!text.LoadFile(name())) return ReturnBool(result, false);
      return ReturnBool(result, m_xml.Load(&text, false));
    }
    case LOAD_RESOURCE: {
      SFileMem text;
      if (!GetEngine()->LoadResource(&text, name(), RESOURCE_TEXT)) return true;
      return ReturnBool(result, m_xml.Load(&text, false));
    }
    case LOAD_TEXT: return ReturnBool(result, m_xml.LoadText(name()));
    case SAVE_FILE: {
      SFile* target = PObjFile::GetArgStream(args, 0);
      return target ? ReturnBool(result, m_xml.Save(target)) : true;
    }
    // Written whole in memory first, so that a disk that refuses bytes
    // shows in the result.
    case SAVE_DISK_FILE: {
      SFileMem text;
      text.Allocate(0);
      bool written = m_xml.Save(&text);
      return ReturnBool(result, text.SaveFile(name()) && written);
    }
    default: return true;
  }
}
