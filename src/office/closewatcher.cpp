#include "office/closewatcher.h"

void CloseWatcher::disposing(const css::lang::EventObject&) { m_closed.store(true); }
