// SString's digest shortcuts, through SHash's text forms.
#include "core/SHash.h"
#include "core/SString.h"

bool SString::Crc32(uint32_t& crc) const {
  if (!m_data) return false;
  return SHash::Crc32Text(m_data, crc);
}

SString SString::Md5() const { return m_data ? SHash::Md5Text(m_data) : SString(""); }

SString SString::Sha1() const { return m_data ? SHash::Sha1Text(m_data) : SString(""); }
