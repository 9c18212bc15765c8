#include "window/SWndLifeGuard.h"

namespace {

// The newest guard of the calling thread.
thread_local SWndLifeGuard* t_newest = nullptr;

}  // namespace

SWndLifeGuard::SWndLifeGuard(SWnd* window, UINT message)
    : m_window(window), m_message(message), m_deleted(false), m_next(t_newest) {
  t_newest = this;
}

SWndLifeGuard::~SWndLifeGuard() { t_newest = m_next; }

void SWndLifeGuard::MarkDeleted(const SWnd* window) {
  for (SWndLifeGuard* guard = t_newest; guard; guard = guard->m_next) {
    if (guard->m_window == window) guard->m_deleted = true;
  }
}

bool SWndLifeGuard::IsHandling(const SWnd* window, UINT message) {
  for (SWndLifeGuard* guard = t_newest; guard; guard = guard->m_next) {
    if (guard->m_window == window && guard->m_message == message && !guard->m_deleted) return true;
  }
  return false;
}
