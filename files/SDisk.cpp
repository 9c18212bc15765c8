#include "files/SDisk.h"

SDisk::SDisk() : m_buffer{}, m_folderFlag(true) {}

SDisk::~SDisk() {}
